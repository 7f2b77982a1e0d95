#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// Catalogue texts are stored in Windows-1252 and held in UTF-8.
std::string DecodeCp1252(std::string_view bytes);
// The same into an existing string, reusing its storage.
void DecodeCp1252Into(std::string_view bytes, std::string& out);

// Empty when the text holds a character that Windows-1252 cannot store
// (or is not valid UTF-8).
std::optional<std::string> EncodeCp1252(std::string_view utf8);

}  // namespace tavrin
