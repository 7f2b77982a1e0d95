#include "utf8.h"

#include <array>

namespace tavrin {

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07u;
    } else {
        return std::nullopt;
    }
    if (pos + extra >= text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3Fu);
    }
    static constexpr std::array<char32_t, 4> kLeast = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += extra + 1;
    return cp;
}

std::optional<std::size_t> FirstInvalidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        // Plain ASCII, the bulk of any source, needs no decoding.
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
        } else if (!NextCodePoint(text, pos)) {
            return pos;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin
