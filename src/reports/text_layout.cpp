#include "text_layout.h"

namespace tavrin {

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

std::string PadTo(std::string_view text, std::size_t width) {
    std::string out;
    AppendPadded(out, text, width);
    return out;
}

void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    const std::size_t count = CharacterCount(text);
    if (count < width) {
        out.append(width - count, ' ');
    }
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace tavrin
