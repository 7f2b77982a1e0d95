#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>

#include "result.h"

namespace tavrin {

// A file as the system knows it, whatever path or link reached it.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// What a path leads to, for writing: a file reached through any links.
struct OutputTarget {
    enum class Kind {
        Replace,     // a regular file, or nothing yet: replaced whole at `file`
        InPlace,     // a device, pipe, terminal or socket: opened at `file` and written as it is
        Descriptor,  // one of this process's open descriptors (/dev/stdout, /dev/fd/N): written to it
    };
    Kind kind = Kind::Replace;
    std::filesystem::path file;            // Replace: where the last link leads; InPlace: the path to open
    int descriptor = -1;                   // Descriptor
    std::optional<FileIdentity> identity;  // none for a file not there yet
};

// Follows the links at `path` (each relative one from its own folder) to the
// file they lead to. A folder, or a link to one, is refused as "Is a folder";
// so are more links in a row than the system follows.
Result<OutputTarget> ResolveOutput(const std::filesystem::path& path);

// Whether `path` leads to this process's standard output (/dev/stdout, or the
// file or terminal standard output is), where what is written would mix with
// what the process prints. /dev/null, where nothing mixes, is not.
bool IsStandardOutput(const std::filesystem::path& path);

// The identity of the file `path` leads to, if there is one.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// "<file> could not be <what>: <reason>", the reason being the system's for
// `error` or, when it is 0, `fallback`.
Error WriteFailure(const std::filesystem::path& file, const char* what, int error, const char* fallback);

}  // namespace tavrin
