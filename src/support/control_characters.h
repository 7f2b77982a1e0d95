#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// Texts from elsewhere (catalogue files, arguments, paths, batch cells) must
// never reach a terminal or a printed page as anything but visible text. What
// is kept out: the control characters (C0, DEL, C1), the bidirectional
// controls that reorder what follows them (U+061C, U+200E, U+200F,
// U+202A to U+202E, U+2066 to U+2069), and bytes that are not UTF-8.
[[nodiscard]] bool HasControlCharacter(std::string_view utf8);

// Each of them written visibly: "\x1b" for C0, DEL and a byte that is not
// UTF-8, "\u009b" for C1 and "\u202e" for a bidirectional control.
[[nodiscard]] std::string EscapeControlCharacters(std::string_view utf8);

// Each of them replaced by "?".
[[nodiscard]] std::string ReplaceControlCharacters(std::string_view utf8);

// A text as a message quotes it: escaped, in double quotes, and cut after
// kQuotedCharacters characters with "..." and the whole length after the
// closing quote, so that a cell of 70,000 characters does not flood the line.
[[nodiscard]] std::string QuotedForMessage(std::string_view text);
inline constexpr std::size_t kQuotedCharacters = 60;

}  // namespace tavrin
