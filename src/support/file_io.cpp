#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "output_target.h"
#include "staged_file.h"

namespace tavrin {
namespace {

// C streams rather than iostreams: a failing read of an iostream throws from
// deep inside the library, while these report it, with the system's reason.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemReason(int error, const char* fallback) {
    return error != 0 ? std::strerror(error) : fallback;
}

// Why a path that is there but is no regular file is not read: a folder
// cannot be, and a FIFO or a device could wait for a writer or never end.
const char* NotRegularReason(std::filesystem::file_type type) {
    return type == std::filesystem::file_type::directory ? "Is a folder" : "not a regular file";
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& file, const std::string& missingMessage) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status)) {
        // A path that cannot even be looked at (a loop of links, a folder
        // without the right to enter it) is told with the system's reason.
        if (ec && ec != std::errc::no_such_file_or_directory) {
            return Error{ErrorCode::FileUnreadable, missingMessage, ec.message()};
        }
        return Error{ErrorCode::FileMissing, missingMessage};
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Error{ErrorCode::FileUnreadable, missingMessage, NotRegularReason(status.type())};
    }
    // Opened without waiting and looked at again once open: a FIFO put in
    // the file's place meanwhile is refused, never waited on for a writer.
    errno = 0;
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return Error{ErrorCode::FileUnreadable, missingMessage, SystemReason(errno, "cannot open the file")};
    }
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        return Error{ErrorCode::FileUnreadable, missingMessage, "not a regular file"};
    }
    const FileHandle in(::fdopen(descriptor, "rb"));
    if (!in) {
        const int error = errno;
        ::close(descriptor);
        return Error{ErrorCode::FileUnreadable, missingMessage, SystemReason(error, "cannot open the file")};
    }
    std::string bytes;
    std::array<char, 1 << 16> buffer{};
    while (true) {
        errno = 0;
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in.get());
        bytes.append(buffer.data(), got);
        if (got < buffer.size()) {
            break;
        }
    }
    if (std::ferror(in.get()) != 0) {
        return Error{ErrorCode::FileUnreadable, missingMessage, SystemReason(errno, "read error")};
    }
    return bytes;
}

namespace {

// A device, pipe or terminal, or a descriptor this process has open, written
// as it is: there is nothing to rename over it.
Result<void> WriteInPlace(const FileContent& content, const OutputTarget& target) {
    int descriptor = target.descriptor;
    if (target.kind == OutputTarget::Kind::InPlace) {
        errno = 0;
        descriptor = ::open(target.file.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (descriptor < 0) {
            return WriteFailure(content.file, "written", errno, "cannot open the file");
        }
    }
    bool ok = WriteAll(descriptor, content.bytes);
    const int error = errno;
    if (target.kind == OutputTarget::Kind::InPlace) {
        ok = ::close(descriptor) == 0 && ok;
    }
    if (!ok) {
        return WriteFailure(content.file, "written completely", error != 0 ? error : errno, "write error");
    }
    return {};
}

// Refuses an output that is a file the command read, or that another output
// is too: what was read would be lost, or one output would be.
Result<void> RefuseClashes(std::span<const FileContent> files, std::span<const OutputTarget> targets,
                           const std::vector<std::filesystem::path>& readFiles) {
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (const auto& read : readFiles) {
            if (targets[i].identity && targets[i].identity == IdentityOf(read)) {
                const std::string reason = "it is " + read.string() + ", which this command reads";
                return Error{ErrorCode::FileUnwritable, files[i].file.string() + " could not be written: " + reason,
                             reason};
            }
        }
        for (std::size_t j = 0; j < i; ++j) {
            const bool same = targets[i].identity ? targets[i].identity == targets[j].identity
                                                  : !targets[j].identity && targets[i].file.lexically_normal() ==
                                                                                targets[j].file.lexically_normal();
            if (same) {
                const std::string reason = "it is " + files[j].file.string() + " too";
                return Error{ErrorCode::FileUnwritable, files[i].file.string() + " could not be written: " + reason,
                             reason};
            }
        }
    }
    return {};
}

}  // namespace

Result<void> ReplaceFiles(std::span<const FileContent> files, const WriteRules& rules) {
    std::vector<OutputTarget> targets;
    for (const FileContent& content : files) {
        auto target = ResolveOutput(content.file);
        if (!target) {
            return target.Failure();
        }
        if (rules.regularFilesOnly && target.Value().kind != OutputTarget::Kind::Replace) {
            return WriteFailure(content.file, "written", 0, "not a regular file");
        }
        targets.push_back(std::move(target.Value()));
    }
    if (auto clash = RefuseClashes(files, targets, rules.readFiles); !clash) {
        return clash;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (targets[i].kind != OutputTarget::Kind::Replace) {
            if (auto written = WriteInPlace(files[i], targets[i]); !written) {
                return written;
            }
        }
    }
    // Declared first, so that a signal held off arrives once the staged files are gone.
    const TerminationSignalsHeld held;
    std::vector<StagedFile> staged;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (targets[i].kind == OutputTarget::Kind::Replace) {
            auto file = StagedFile::Write(targets[i].file, files[i].bytes, held);
            if (!file) {
                return file.Failure();
            }
            staged.push_back(std::move(file.Value()));
        }
    }
    if (held.Arrived()) {
        return WriteFailure(files.front().file, "written", EINTR, "");
    }
    return PlaceAll(staged);
}

Result<void> ReplaceFile(const std::filesystem::path& file, std::string_view bytes, const WriteRules& rules) {
    const FileContent content{file, bytes};
    return ReplaceFiles({&content, 1}, rules);
}

}  // namespace tavrin
