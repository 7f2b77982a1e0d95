#include "file_io.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

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

Result<Done> ReplaceFile(const std::filesystem::path& file, std::string_view bytes) {
    const auto failed = [&file](const char* what, int error, const char* fallback) {
        return Error{ErrorCode::FileUnwritable,
                     file.string() + " could not be " + what + ": " + SystemReason(error, fallback),
                     SystemReason(error, fallback)};
    };
    // An ordinary file or a link is deleted first, so nothing of a longer old
    // file survives; a device or pipe is written to as it is.
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(file, ec);
    if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status)) {
        std::filesystem::remove(file, ec);
        if (ec) {
            return failed("deleted", ec.value(), "cannot delete the file");
        }
    }
    errno = 0;
    FileHandle out(std::fopen(file.c_str(), "wb"));
    if (!out) {
        return failed("written", errno, "cannot open the file");
    }
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), out.get());
    if (written != bytes.size() || std::fflush(out.get()) != 0) {
        return failed("written completely", errno, "write error");
    }
    errno = 0;
    if (std::fclose(out.release()) != 0) {
        return failed("written completely", errno, "write error");
    }
    return Done{};
}

}  // namespace tavrin
