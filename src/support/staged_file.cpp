#include "staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "output_target.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// Pieces small enough that a termination signal is heeded at once.
constexpr std::size_t kPiece = std::size_t{1} << 20;

// A folder's own limit when the system does not say.
constexpr long kUsualNameLimit = 255;

// Tries for a free hidden name before giving up.
constexpr int kNameTries = 100;

fs::path FolderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

// "." + the target's name + "." + six random characters, the name cut (at a
// whole UTF-8 character) so that the whole stays within the folder's limit.
fs::path HiddenName(const fs::path& target) {
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t kAdded = 8;
    const long found = ::pathconf(FolderOf(target).c_str(), _PC_NAME_MAX);
    const auto limit = static_cast<std::size_t>(found > 0 ? found : kUsualNameLimit);
    std::string name = target.filename().string();
    if (name.size() + kAdded > limit) {
        std::size_t cut = limit > kAdded ? limit - kAdded : 0;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0U) == 0x80U) {
            --cut;
        }
        name.resize(cut);
    }
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    name = "." + name + ".";
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(random)];
    }
    return target.parent_path() / name;
}

// Makes something under a free hidden name beside `target` with `make`
// (0 done, otherwise errno set); the name, or none with errno set.
template <typename Make>
std::optional<fs::path> UnderFreshName(const fs::path& target, Make make) {
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        fs::path name = HiddenName(target);
        if (make(name) == 0) {
            return name;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Whether a file made without a name can be given one later, through the
// process's own descriptor folder.
bool UnnamedFilesCanBeNamed() {
    return ::access("/proc/self/fd", X_OK) == 0;
}

// The mode a new file takes: the old file's, or what the user's file creation
// mask leaves of read and write for all.
mode_t NewMode(const struct stat* old) {
    if (old != nullptr) {
        return old->st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the renames themselves durable; a folder that cannot be flushed
// (some file systems refuse) still holds the new files.
void FlushFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

bool WriteAll(int descriptor, std::string_view bytes, const TerminationSignalsHeld* held) {
    while (!bytes.empty()) {
        if (held != nullptr && held->Arrived()) {
            errno = EINTR;
            return false;
        }
        const ssize_t written = ::write(descriptor, bytes.data(), std::min(bytes.size(), kPiece));
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

Result<StagedFile> StagedFile::Write(const fs::path& target, std::string_view bytes,
                                     const TerminationSignalsHeld& held) {
    struct stat old {};
    const bool hadOld = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    StagedFile staged(target);
    errno = EOPNOTSUPP;
    if (UnnamedFilesCanBeNamed()) {
        staged.m_descriptor = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    }
    if (staged.m_descriptor < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // A file system without unnamed files: a hidden name from the start.
        int& descriptor = staged.m_descriptor;
        auto name = UnderFreshName(target, [&descriptor](const fs::path& candidate) {
            descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            return descriptor < 0 ? -1 : 0;
        });
        staged.m_name = name ? *name : fs::path();
    }
    if (staged.m_descriptor < 0) {
        return WriteFailure(target, "written", errno, "cannot make a temporary file");
    }
    if (hadOld && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(staged.m_descriptor, old.st_uid, old.st_gid) != 0) {
        // Only the owner may be kept by whoever may give files away; the
        // new file is then the writer's.
    }
    if (::fchmod(staged.m_descriptor, NewMode(hadOld ? &old : nullptr)) != 0 ||
        !WriteAll(staged.m_descriptor, bytes, &held) || ::fsync(staged.m_descriptor) != 0) {
        return WriteFailure(target, "written completely", errno, "write error");
    }
    return staged;
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_target(std::move(other.m_target)),
      m_descriptor(std::exchange(other.m_descriptor, -1)),
      m_name(std::exchange(other.m_name, {})),
      m_placed(other.m_placed) {}

StagedFile::~StagedFile() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
    if (!m_name.empty()) {
        ::unlink(m_name.c_str());
    }
}

// An unnamed file is linked under a hidden name beside its target, ready to
// be renamed; either kind is then closed.
Result<void> StagedFile::Name() {
    if (m_name.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(m_descriptor);
        auto name = UnderFreshName(m_target, [&self](const fs::path& candidate) {
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW);
        });
        if (!name) {
            return WriteFailure(m_target, "written", errno, "cannot name the new file");
        }
        m_name = *name;
    }
    const int descriptor = std::exchange(m_descriptor, -1);
    if (::close(descriptor) != 0) {
        return WriteFailure(m_target, "written completely", errno, "write error");
    }
    return {};
}

// The new file takes the target's place and the old one takes the hidden
// name, in one step where the file system can swap two names.
Result<void> StagedFile::Place() {
    if (::renameat2(AT_FDCWD, m_name.c_str(), AT_FDCWD, m_target.c_str(), RENAME_EXCHANGE) == 0) {
        m_placed = Placed::OverOld;
        return {};
    }
    if (errno == ENOENT && ::access(m_target.c_str(), F_OK) != 0) {
        if (::rename(m_name.c_str(), m_target.c_str()) != 0) {
            return WriteFailure(m_target, "replaced", errno, "cannot rename the file");
        }
        m_name.clear();
        m_placed = Placed::New;
        return {};
    }
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
        return PlaceBesideOld();
    }
    return WriteFailure(m_target, "replaced", errno, "cannot rename the file");
}

// Without swapping: the old file keeps a second name (or, where a file system
// has no second names, is moved to it for a moment) before the new one is
// renamed over the target.
Result<void> StagedFile::PlaceBesideOld() {
    const fs::path& target = m_target;
    bool moved = false;
    auto old = UnderFreshName(
        target, [&target](const fs::path& candidate) { return ::link(target.c_str(), candidate.c_str()); });
    if (!old) {
        old = UnderFreshName(target, [&target](const fs::path& candidate) {
            struct stat taken {};
            if (::lstat(candidate.c_str(), &taken) == 0) {
                errno = EEXIST;
                return -1;
            }
            return ::rename(target.c_str(), candidate.c_str());
        });
        moved = true;
    }
    if (!old) {
        return WriteFailure(target, "replaced", errno, "cannot keep the old file");
    }
    if (::rename(m_name.c_str(), target.c_str()) != 0) {
        const int error = errno;
        if (moved) {
            ::rename(old->c_str(), target.c_str());
        } else {
            ::unlink(old->c_str());
        }
        return WriteFailure(target, "replaced", error, "cannot rename the file");
    }
    m_name = *old;
    m_placed = Placed::OverOld;
    return {};
}

// Should the old file fail to go back, it stays under its hidden name rather
// than be lost.
void StagedFile::PutBack() {
    if (m_placed == Placed::OverOld) {
        ::rename(m_name.c_str(), m_target.c_str());
        m_name.clear();
    } else if (m_placed == Placed::New) {
        ::unlink(m_target.c_str());
    }
    m_placed = Placed::Not;
}

void StagedFile::DropOld() {
    if (m_placed == Placed::OverOld) {
        ::unlink(m_name.c_str());
        m_name.clear();
    }
}

Result<void> PlaceAll(std::span<StagedFile> files) {
    for (StagedFile& file : files) {
        if (auto named = file.Name(); !named) {
            return named;
        }
    }
    for (std::size_t placed = 0; placed < files.size(); ++placed) {
        if (auto put = files[placed].Place(); !put) {
            for (std::size_t back = placed; back-- > 0;) {
                files[back].PutBack();
            }
            return put;
        }
    }
    std::set<fs::path> folders;
    for (StagedFile& file : files) {
        file.DropOld();
        folders.insert(FolderOf(file.m_target));
    }
    for (const fs::path& folder : folders) {
        FlushFolder(folder);
    }
    return {};
}

}  // namespace tavrin
