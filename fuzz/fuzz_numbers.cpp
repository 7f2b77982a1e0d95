// The numeric test, TextToValue and the entry filter's cut-back on arbitrary text.
#include <cmath>

#include "beam/entry_filter.h"
#include "beam/number_entry.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    fuzz::FuzzInput input(data, size);
    const NumberEntry numbers(input.Byte() % 2 == 0 ? '.' : ',');
    const std::string text = input.Rest();

    const double value = numbers.TextToValue(text);
    fuzz::Check(std::isfinite(value), "TextToValue is finite", text);
    if (numbers.IsNumeric(text)) {
        fuzz::Check(text.empty() || numbers.LongestNumericPrefix(text) == text.size(),
                    "a numeric text is its own prefix");
    }
    const FilteredText cut = CutToNumeric(text, numbers);
    fuzz::Check(text.compare(0, cut.text.size(), cut.text) == 0, "the filter keeps a start of the text");
    fuzz::Check(cut.text.empty() || numbers.IsNumeric(cut.text), "the filter ends on a number", cut.text);
    fuzz::Check(cut.cuts <= text.size(), "each cut removes a character");
    if (text.size() <= 64) {
        // The one-pass scan agrees with testing every start of the text.
        std::size_t longest = 0;
        for (std::size_t length = 1; length <= text.size(); ++length) {
            if (numbers.IsNumeric(text.substr(0, length))) {
                longest = length;
            }
        }
        fuzz::Check(numbers.LongestNumericPrefix(text) == longest, "the scan finds the longest number", text);
    }
    const std::string written = numbers.DoubleToText(value);
    fuzz::Check(numbers.IsNumeric(written), "a written number reads back", written);
    return 0;
}
