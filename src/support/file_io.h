#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "result.h"

namespace tavrin {

// The bytes of an ordinary file; `missingMessage` is the user's message when
// there is no such file or it cannot be read.
Result<std::string> ReadWholeFile(const std::filesystem::path& file, const std::string& missingMessage);

// A file and the whole of what it is to hold.
struct FileContent {
    std::filesystem::path file;
    std::string_view bytes;
};

// Replaces the files whole, all or none: each is written to a temporary file
// in its own folder and flushed to disk, and only when every one is complete
// are they renamed over their targets. On a failure the temporaries are
// removed and the targets keep what they held. A link at a target is
// replaced by the file (what it points at is never written); a device or a
// pipe (standard output, /dev/stdout) is written directly.
Result<void> ReplaceFiles(std::span<const FileContent> files);
Result<void> ReplaceFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tavrin
