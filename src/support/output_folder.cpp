#include "output_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>
#include <utility>

#include "output_target.h"

namespace tavrin {

namespace fs = std::filesystem;

// How often a command waiting for the folder tries its lock again.
constexpr std::chrono::milliseconds kLockPoll{20};

Result<OutputFolder> OutputFolder::Open(const fs::path& folder, const TerminationSignalsHeld& signals,
                                        const std::function<void()>& waiting) {
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
        const std::string reason = "not a folder";
        return Error{ErrorCode::FileUnwritable, folder.string() + " is " + reason, reason};
    }
    fs::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) {
        normal = normal.parent_path();  // "out/" is "out"
    }
    std::vector<fs::path> missing;
    for (fs::path at = normal; !at.empty() && !fs::exists(fs::symlink_status(at, ec)); at = at.parent_path()) {
        missing.insert(missing.begin(), at);
        if (at == at.parent_path()) {
            break;
        }
    }
    OutputFolder opened;
    for (const fs::path& made : missing) {
        if (!fs::create_directory(made, ec)) {
            const std::string reason = ec ? ec.message() : "cannot make the folder";
            return Error{ErrorCode::FileUnwritable, folder.string() + " could not be made: " + reason, reason};
        }
        opened.m_made.push_back(made);
    }
    if (auto locked = opened.Lock(normal.empty() ? fs::path(".") : normal, signals, waiting); !locked) {
        return locked.Failure();
    }
    return opened;
}

// A lock file the command that held it removed is locked in vain: the lock
// is then taken again on the file in its place.
Result<void> OutputFolder::Lock(const fs::path& folder, const TerminationSignalsHeld& signals,
                                const std::function<void()>& waiting) {
    const fs::path file = folder / kLockFileName;
    bool told = false;
    while (true) {
        bool onFile = true;
        int descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EACCES) {
            descriptor = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);  // another user's
        }
        if (descriptor < 0 && (errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOENT)) {
            onFile = false;  // a folder nobody may write in, whose files may be links elsewhere
            descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (descriptor < 0) {
            return WriteFailure(folder, "locked", errno, "cannot lock the folder");
        }
        int error = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        if (error == EWOULDBLOCK && waiting && !told) {
            waiting();
            told = true;
        }
        // In short steps, so that a termination signal held off meanwhile
        // still stops the command.
        while (error == EWOULDBLOCK) {
            if (signals.Arrived()) {
                error = EINTR;
                break;
            }
            std::this_thread::sleep_for(kLockPoll);
            error = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        }
        if (error != 0) {
            ::close(descriptor);
            return WriteFailure(folder, "locked", error, "cannot lock the folder");
        }
        struct stat held {};
        struct stat there {};
        if (!onFile || (::fstat(descriptor, &held) == 0 && ::lstat(file.c_str(), &there) == 0 &&
                        held.st_dev == there.st_dev && held.st_ino == there.st_ino)) {
            m_lock = descriptor;
            m_lockFile = onFile ? file : fs::path();
            return {};
        }
        ::close(descriptor);
    }
}

OutputFolder::OutputFolder(OutputFolder&& other) noexcept
    : m_made(std::exchange(other.m_made, {})),
      m_lockFile(std::exchange(other.m_lockFile, {})),
      m_lock(std::exchange(other.m_lock, -1)) {}

// The lock file goes while it is still locked, so that nobody takes a lock
// on it after this one.
OutputFolder::~OutputFolder() {
    if (m_lock >= 0) {
        if (!m_lockFile.empty()) {
            ::unlink(m_lockFile.c_str());
        }
        ::close(m_lock);
    }
    std::error_code ec;
    for (; !m_made.empty(); m_made.pop_back()) {
        fs::remove(m_made.back(), ec);  // only while empty
    }
}

}  // namespace tavrin
