#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tavrin {

// Reads the UTF-8 sequence at `pos` and moves past it; empty, with `pos`
// where it was, when the bytes there are not well-formed UTF-8: a stray or
// missing continuation byte, an overlong form ("\xC0\xB5" for "5"), a
// surrogate or a value beyond Unicode, each of which a reader could take
// for another character.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos);

// Where the first byte that is not part of well-formed UTF-8 stands, or
// nothing when the whole text is UTF-8.
std::optional<std::size_t> FirstInvalidUtf8(std::string_view text);

}  // namespace tavrin
