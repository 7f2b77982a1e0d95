#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "result.h"

namespace tavrin {

// The bytes of an ordinary file; `missingMessage` is the user's message when
// there is no such file or it cannot be read. A folder, a FIFO or a device is
// refused at once as unreadable, the reason saying which ("Is a folder",
// "not a regular file"): it is never opened to wait for a writer.
Result<std::string> ReadWholeFile(const std::filesystem::path& file, const std::string& missingMessage);

// A file and the whole of what it is to hold.
struct FileContent {
    std::filesystem::path file;
    std::string_view bytes;
};

// What a command may write over.
struct WriteRules {
    // Only regular files (a catalogue): a device, pipe or terminal is refused.
    bool regularFilesOnly = false;
    // The files the command read, which no output may be, by whatever path.
    std::vector<std::filesystem::path> readFiles;
};

// Replaces the files whole, all or none. A link is followed to the file it
// leads to, which is replaced beside itself while the link stays; a folder,
// or a link to one, is refused. Each new file is written in its target's
// folder and flushed to disk, and only when every one is complete are they
// put in place of their targets; each old file is kept until the last is in
// place and put back should one fail. SIGINT, SIGTERM and SIGHUP wait
// meanwhile: one that arrives stops the writing, and nothing is left behind.
// A device, pipe or terminal (/dev/null, a FIFO, or one this process has open
// as /dev/stdout or /dev/fd/N) is written as it is, first, since it cannot
// be taken back. Two outputs that are one file, or an output that is one of
// `rules.readFiles`, are refused before anything is written.
Result<void> ReplaceFiles(std::span<const FileContent> files, const WriteRules& rules = {});
Result<void> ReplaceFile(const std::filesystem::path& file, std::string_view bytes, const WriteRules& rules = {});

}  // namespace tavrin
