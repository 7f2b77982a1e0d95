#include "entry_filter.h"

namespace tavrin {
namespace {

// The start of the last character of a UTF-8 text (a stray byte counts as one).
std::size_t LastCharacterStart(const std::string& text) {
    std::size_t start = text.size() - 1;
    std::size_t continuation = 0;
    while (start > 0 && continuation < 3 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
        --start;
        ++continuation;
    }
    const auto lead = static_cast<unsigned char>(text[start]);
    const std::size_t expected = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (continuation > 0 && expected == continuation) {
        return start;
    }
    return text.size() - 1;
}

}  // namespace

FilteredText CutToNumeric(const std::string& text, const NumberEntry& numbers) {
    if (text.empty() || numbers.IsNumeric(text)) {
        return {text, 0};
    }
    const std::size_t keep = numbers.LongestNumericPrefix(text);
    FilteredText result{text, 0};
    while (result.text.size() > keep) {
        result.text.resize(LastCharacterStart(result.text));
        ++result.cuts;
    }
    return result;
}

}  // namespace tavrin
