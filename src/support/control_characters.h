#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// Catalogue texts come from files made elsewhere; a control character in one
// (C0, DEL or C1) must never reach a terminal or a printed page as itself.
[[nodiscard]] bool HasControlCharacter(std::string_view utf8);

// Each control character written visibly: "\x1b" for C0 and DEL, "\u009b" for C1.
[[nodiscard]] std::string EscapeControlCharacters(std::string_view utf8);

// Each control character replaced by "?".
[[nodiscard]] std::string ReplaceControlCharacters(std::string_view utf8);

}  // namespace tavrin
