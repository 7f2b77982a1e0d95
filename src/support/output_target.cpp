#include "output_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// As many links in a row as the system itself follows.
constexpr int kMostLinks = 40;

// The longest descriptor number taken from a name; more digits name none.
constexpr std::size_t kMostDescriptorDigits = 9;

std::string RealPath(const fs::path& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// The number N when `path` is this process's /proc/<pid>/fd/N, however it is
// reached (/dev/fd is a link to /proc/self/fd); `ownDescriptors` is that
// folder's real path.
std::optional<int> OwnDescriptor(const fs::path& path, const std::string& ownDescriptors) {
    const std::string name = path.filename().string();
    if (ownDescriptors.empty() || name.empty() || name.size() > kMostDescriptorDigits ||
        !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    if (RealPath(path.parent_path()) != ownDescriptors) {
        return std::nullopt;
    }
    return std::stoi(name);
}

Result<OutputTarget> TargetOf(const fs::path& given, const fs::path& file, const struct stat& status) {
    if (S_ISDIR(status.st_mode)) {
        return WriteFailure(given, "written", 0, "Is a folder");
    }
    const auto kind = S_ISREG(status.st_mode) ? OutputTarget::Kind::Replace : OutputTarget::Kind::InPlace;
    return OutputTarget{kind, file, -1, FileIdentity{status.st_dev, status.st_ino}};
}

// What is open at one of this process's descriptors is written there, at the
// descriptor's own position: reopening it would start a file again at its
// beginning, over what the process has written to it.
Result<OutputTarget> DescriptorTarget(const fs::path& given, int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return WriteFailure(given, "written", errno, "not an open descriptor");
    }
    if (S_ISDIR(status.st_mode)) {
        return WriteFailure(given, "written", 0, "Is a folder");
    }
    return OutputTarget{OutputTarget::Kind::Descriptor, given, descriptor, FileIdentity{status.st_dev, status.st_ino}};
}

}  // namespace

Error WriteFailure(const fs::path& file, const char* what, int error, const char* fallback) {
    const std::string reason = error != 0 ? std::strerror(error) : fallback;
    return Error{ErrorCode::FileUnwritable, file.string() + " could not be " + what + ": " + reason, reason};
}

Result<OutputTarget> ResolveOutput(const fs::path& path) {
    const std::string ownDescriptors = RealPath("/proc/self/fd");
    fs::path current = path;
    for (int links = 0;; ++links) {
        if (const auto descriptor = OwnDescriptor(current, ownDescriptors)) {
            return DescriptorTarget(path, *descriptor);
        }
        struct stat own {};
        if (::lstat(current.c_str(), &own) != 0) {
            if (errno == ENOENT) {
                return OutputTarget{OutputTarget::Kind::Replace, current, -1, std::nullopt};
            }
            return WriteFailure(path, "written", errno, "cannot reach the file");
        }
        if (!S_ISLNK(own.st_mode)) {
            return TargetOf(path, current, own);
        }
        // Where a link finally leads decides for what is not a regular file:
        // some links, such as another process's pipe, lead nowhere as a path.
        struct stat led {};
        if (::stat(current.c_str(), &led) == 0 && !S_ISREG(led.st_mode)) {
            return TargetOf(path, current, led);
        }
        if (links == kMostLinks) {
            return WriteFailure(path, "written", ELOOP, "");
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) {
            return WriteFailure(path, "written", ec.value(), "cannot read the link");
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
}

bool IsStandardOutput(const fs::path& path) {
    const auto target = ResolveOutput(path);
    if (!target) {
        return false;
    }
    if (target.Value().kind == OutputTarget::Kind::Descriptor && target.Value().descriptor == STDOUT_FILENO) {
        return true;
    }
    struct stat standardOutput {};
    if (!target.Value().identity || ::fstat(STDOUT_FILENO, &standardOutput) != 0) {
        return false;
    }
    const FileIdentity out{standardOutput.st_dev, standardOutput.st_ino};
    return target.Value().identity == out && IdentityOf("/dev/null") != out;
}

std::optional<FileIdentity> IdentityOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

}  // namespace tavrin
