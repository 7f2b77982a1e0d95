#pragma once

#include <string>
#include <vector>

#include "catalogue.h"

namespace tavrin {

struct Finding {
    bool error = true;  // false: a warning, something that looks wrong but works
    std::string head;   // empty for a finding about the coating table
    std::string field;
    std::string text;
};

// What the search cannot use, or what looks wrong, in a catalogue.
std::vector<Finding> CheckCatalogue(const Catalogue& catalogue);

}  // namespace tavrin
