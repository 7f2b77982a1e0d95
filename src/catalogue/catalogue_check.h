#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
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

// The rules behind CheckCatalogue, one at a time, so that building a
// catalogue from its source refuses exactly what the check calls an error, in
// the same words. `names` counts the names of the heads before this one.
std::vector<Finding> CheckHead(const HeadRecord& head, std::map<std::string, int>& names);
// What is wrong with a coating threshold of the table's `column`, or nothing.
std::optional<std::string> ThresholdFault(double value, int column);
inline constexpr const char* kNoHead = "the catalogue holds no head";

// What the files show that loading hides: a head file whose end is not a
// whole record or whose records the loader skips, a coating file that is not
// the size of the table.
std::vector<Finding> CheckCatalogueFiles(std::string_view headBytes, std::string_view coatingBytes);

}  // namespace tavrin
