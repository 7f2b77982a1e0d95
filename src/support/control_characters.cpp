#include "control_characters.h"

#include <array>
#include <cstdio>
#include <functional>

#include "utf8.h"

namespace tavrin {
namespace {

bool IsBidirectionalControl(char32_t cp) {
    return cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
           (cp >= 0x2066 && cp <= 0x2069);
}

// What stands at a position: a character to keep (its length in bytes), or
// one to keep out, written as its escape.
struct Piece {
    std::size_t length;
    bool keptOut;
    char32_t codePoint;  // or the byte, for a byte that is not UTF-8
    bool wholeCharacter;
};

Piece PieceAt(std::string_view text, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {
        return {1, byte < 0x20 || byte == 0x7F, byte, false};
    }
    std::size_t next = pos;
    const auto cp = NextCodePoint(text, next);
    if (!cp) {
        return {1, true, byte, false};
    }
    return {next - pos, (*cp >= 0x80 && *cp <= 0x9F) || IsBidirectionalControl(*cp), *cp, true};
}

std::string Rewrite(std::string_view text, const std::function<std::string(const Piece&)>& replace) {
    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;  // the text before this is in `out`
    for (std::size_t pos = 0; pos < text.size();) {
        const Piece piece = PieceAt(text, pos);
        if (piece.keptOut) {
            out.append(text, copied, pos - copied);
            out += replace(piece);
            copied = pos + piece.length;
        }
        pos += piece.length;
    }
    out.append(text, copied);
    return out;
}

}  // namespace

bool HasControlCharacter(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Piece piece = PieceAt(utf8, pos);
        if (piece.keptOut) {
            return true;
        }
        pos += piece.length;
    }
    return false;
}

std::string EscapeControlCharacters(std::string_view utf8) {
    return Rewrite(utf8, [](const Piece& piece) {
        std::array<char, 12> buffer{};
        std::snprintf(buffer.data(), buffer.size(), piece.wholeCharacter ? "\\u%04x" : "\\x%02x",
                      static_cast<unsigned>(piece.codePoint));
        return std::string(buffer.data());
    });
}

std::string ReplaceControlCharacters(std::string_view utf8) {
    return Rewrite(utf8, [](const Piece&) { return std::string("?"); });
}

std::string QuotedForMessage(std::string_view text) {
    std::size_t characters = 0;
    std::size_t cut = text.size();
    for (std::size_t pos = 0; pos < text.size(); ++characters) {
        if (characters == kQuotedCharacters) {
            cut = pos;
        }
        pos += PieceAt(text, pos).length;
    }
    if (cut == text.size()) {
        return "\"" + EscapeControlCharacters(text) + "\"";
    }
    return "\"" + EscapeControlCharacters(text.substr(0, cut)) + "...\" (" + std::to_string(characters) +
           " characters)";
}

}  // namespace tavrin
