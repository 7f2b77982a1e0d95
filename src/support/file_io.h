#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "result.h"

namespace tavrin {

// The bytes of an ordinary file; `missingMessage` is the user's message when
// there is no such file or it cannot be read.
Result<std::string> ReadWholeFile(const std::filesystem::path& file, const std::string& missingMessage);

// Replaces the file whole: an existing file is deleted first, so nothing of a
// longer old file survives.
Result<Done> ReplaceFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tavrin
