#pragma once

#include <string>

#include "number_entry.h"

namespace tavrin {

// The longest start of `text` that passes the numeric test (cutting whole
// characters from the end, as the entry filter does), and how many
// characters were cut.
struct FilteredText {
    std::string text;
    std::size_t cuts = 0;
};
FilteredText CutToNumeric(const std::string& text, const NumberEntry& numbers);

}  // namespace tavrin
