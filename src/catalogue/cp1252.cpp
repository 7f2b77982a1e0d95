#include "cp1252.h"

#include <array>
#include <cstdint>

#include "support/utf8.h"

namespace tavrin {
namespace {

// Code points of bytes 0x80 to 0x9F; 0 marks the five bytes the code page leaves undefined,
// which are passed through as the C1 control of the same value.
constexpr std::array<char32_t, 32> kHighTable = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char32_t mapped = kHighTable[byte - 0x80];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::optional<unsigned char> CodePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<unsigned char>(cp);
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        const char32_t mapped = kHighTable[i];
        if (mapped == cp || (mapped == 0 && cp == 0x80 + i)) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

void DecodeCp1252Into(std::string_view bytes, std::string& out) {
    unsigned char high = 0;
    for (const char c : bytes) {
        high |= static_cast<unsigned char>(c);
    }
    if (high < 0x80) {
        out.assign(bytes);  // plain ASCII reads the same in both
        return;
    }
    out.clear();
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes) {
        AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    }
}

std::string DecodeCp1252(std::string_view bytes) {
    std::string out;
    DecodeCp1252Into(bytes, out);
    return out;
}

std::optional<std::string> EncodeCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = NextCodePoint(utf8, pos);
        if (!cp) {
            return std::nullopt;
        }
        const auto byte = CodePointToByte(*cp);
        if (!byte) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

}  // namespace tavrin
