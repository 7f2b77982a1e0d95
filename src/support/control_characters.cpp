#include "control_characters.h"

#include <array>
#include <cstdio>
#include <functional>

namespace tavrin {
namespace {

// The length of the control character at `pos` (1 for C0 and DEL, 2 for a
// C1 character in UTF-8), or 0 when there is none.
std::size_t ControlLength(std::string_view text, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x20 || byte == 0x7F) {
        return 1;
    }
    if (byte == 0xC2 && pos + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[pos + 1]);
        if (next >= 0x80 && next <= 0x9F) {
            return 2;
        }
    }
    return 0;
}

std::string Rewrite(std::string_view text, const std::function<std::string(std::string_view)>& replace) {
    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;  // the text before this is in `out`
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = ControlLength(text, pos);
        if (length == 0) {
            ++pos;
            continue;
        }
        out.append(text, copied, pos - copied);
        out += replace(text.substr(pos, length));
        pos += length;
        copied = pos;
    }
    out.append(text, copied);
    return out;
}

}  // namespace

bool HasControlCharacter(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
        if (ControlLength(utf8, pos) != 0) {
            return true;
        }
    }
    return false;
}

std::string EscapeControlCharacters(std::string_view utf8) {
    return Rewrite(utf8, [](std::string_view control) {
        std::array<char, 8> buffer{};
        if (control.size() == 1) {
            std::snprintf(buffer.data(), buffer.size(), "\\x%02x", static_cast<unsigned char>(control[0]));
        } else {
            std::snprintf(buffer.data(), buffer.size(), "\\u%04x", static_cast<unsigned char>(control[1]));
        }
        return std::string(buffer.data());
    });
}

std::string ReplaceControlCharacters(std::string_view utf8) {
    return Rewrite(utf8, [](std::string_view) { return std::string("?"); });
}

}  // namespace tavrin
