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
#include <vector>

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

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& file, const std::string& missingMessage) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        // A path that cannot even be looked at (a loop of links, a folder
        // without the right to enter it) is told with the system's reason.
        if (ec && ec != std::errc::no_such_file_or_directory) {
            return Error{ErrorCode::FileUnreadable, missingMessage, ec.message()};
        }
        return Error{ErrorCode::FileMissing, missingMessage};
    }
    errno = 0;
    const FileHandle in(std::fopen(file.c_str(), "rb"));
    if (!in) {
        return Error{ErrorCode::FileUnreadable, missingMessage, SystemReason(errno, "cannot open the file")};
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

Error WriteFailure(const std::filesystem::path& file, const char* what, int error, const char* fallback) {
    return Error{ErrorCode::FileUnwritable,
                 file.string() + " could not be " + what + ": " + SystemReason(error, fallback),
                 SystemReason(error, fallback)};
}

// Writes all the bytes to a descriptor, through short writes and interruptions.
bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A device or a pipe is written as it is: there is nothing to rename over it.
Result<void> WriteDirectly(const FileContent& content) {
    errno = 0;
    FileHandle out(std::fopen(content.file.c_str(), "wb"));
    if (!out) {
        return WriteFailure(content.file, "written", errno, "cannot open the file");
    }
    errno = 0;
    const std::size_t written = std::fwrite(content.bytes.data(), 1, content.bytes.size(), out.get());
    if (written != content.bytes.size() || std::fflush(out.get()) != 0) {
        return WriteFailure(content.file, "written completely", errno, "write error");
    }
    errno = 0;
    if (std::fclose(out.release()) != 0) {
        return WriteFailure(content.file, "written completely", errno, "write error");
    }
    return {};
}

// The mode a replacing file takes: the old file's, or what the user's file
// creation mask leaves of read and write for all.
mode_t ModeFor(const std::filesystem::path& file) {
    struct stat old {};
    if (::lstat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        return old.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file beside its target, removed unless it was renamed over it.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    StagedFile(StagedFile&& other) noexcept : m_path(std::move(other.m_path)) { other.m_path.clear(); }
    StagedFile& operator=(StagedFile&&) = delete;
    ~StagedFile() {
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }

    Result<void> Write(const FileContent& content) {
        const std::filesystem::path folder = content.file.parent_path().empty() ? "." : content.file.parent_path();
        std::string name = (folder / ("." + content.file.filename().string() + ".XXXXXX")).string();
        errno = 0;
        const int descriptor = ::mkstemp(name.data());
        if (descriptor < 0) {
            return WriteFailure(content.file, "written", errno, "cannot make a temporary file");
        }
        m_path = name;
        bool ok = ::fchmod(descriptor, ModeFor(content.file)) == 0 && WriteAll(descriptor, content.bytes) &&
                  ::fsync(descriptor) == 0;
        const int error = errno;
        ok = ::close(descriptor) == 0 && ok;
        if (!ok) {
            return WriteFailure(content.file, "written completely", error != 0 ? error : errno, "write error");
        }
        return {};
    }

    Result<void> RenameOver(const std::filesystem::path& target) {
        errno = 0;
        if (::rename(m_path.c_str(), target.c_str()) != 0) {
            return WriteFailure(target, "replaced", errno, "cannot rename the file");
        }
        m_path.clear();
        return {};
    }

private:
    std::string m_path;
};

// Makes the renames themselves durable; a folder that cannot be flushed
// (some file systems refuse) still holds the new files.
void FlushFolder(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

Result<void> ReplaceFiles(std::span<const FileContent> files) {
    std::vector<std::pair<StagedFile, const FileContent*>> staged;
    staged.reserve(files.size());
    for (const FileContent& content : files) {
        std::error_code ec;
        const auto own = std::filesystem::symlink_status(content.file, ec);
        if (std::filesystem::is_directory(own)) {
            return WriteFailure(content.file, "written", EISDIR, "is a folder");
        }
        // What a link leads to decides: a device or a pipe (/dev/stdout is a
        // link to one) is written; a file, or nothing, is replaced with the link.
        const auto target = std::filesystem::status(content.file, ec);
        const bool device = std::filesystem::exists(target) && !std::filesystem::is_regular_file(target) &&
                            !std::filesystem::is_directory(target);
        if (device) {
            if (auto written = WriteDirectly(content); !written) {
                return written;
            }
            continue;
        }
        StagedFile file;
        if (auto written = file.Write(content); !written) {
            return written;
        }
        staged.emplace_back(std::move(file), &content);
    }
    for (auto& [file, content] : staged) {
        if (auto renamed = file.RenameOver(content->file); !renamed) {
            return renamed;
        }
    }
    for (const auto& [file, content] : staged) {
        FlushFolder(content->file);
    }
    return {};
}

Result<void> ReplaceFile(const std::filesystem::path& file, std::string_view bytes) {
    const FileContent content{file, bytes};
    return ReplaceFiles({&content, 1});
}

}  // namespace tavrin
