#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin {

// Number of characters (not bytes) of a UTF-8 text.
std::size_t CharacterCount(std::string_view text);

// The text followed by blanks up to `width` characters; a longer text whole.
std::string PadTo(std::string_view text, std::size_t width);
// The same, written at the end of `out`.
void AppendPadded(std::string& out, std::string_view text, std::size_t width);

// The text without its leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tavrin
