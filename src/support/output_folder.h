#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "result.h"
#include "termination_signals.h"

namespace tavrin {

// The folder a command writes its files into, for as long as the command
// writes: made when missing (with the folders above it), and removed again
// unless `Keep` is called, so that a command that fails leaves nothing it
// made; and locked, so that two commands writing into it take turns. The lock
// is `flock` on the lock file `kLockFileName` in the folder, removed when the
// lock goes; where that file cannot be made, on the folder itself. The
// caller holds termination signals off for as long as this lives, so that a
// command stopped by one first takes away what it made and its lock file.
class OutputFolder {
public:
    static constexpr const char* kLockFileName = ".cv-tavrin.lock";

    // `waiting` is called once when another command holds the lock, before
    // this one waits for it; a termination signal stops the waiting.
    static Result<OutputFolder> Open(const std::filesystem::path& folder, const TerminationSignalsHeld& signals,
                                     const std::function<void()>& waiting = {});

    OutputFolder(OutputFolder&& other) noexcept;
    OutputFolder& operator=(OutputFolder&&) = delete;
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;
    ~OutputFolder();

    // The command succeeded: the folders it made stay.
    void Keep() { m_made.clear(); }

private:
    OutputFolder() = default;
    Result<void> Lock(const std::filesystem::path& folder, const TerminationSignalsHeld& signals,
                      const std::function<void()>& waiting);

    std::vector<std::filesystem::path> m_made;  // outermost first
    std::filesystem::path m_lockFile;           // empty when the folder itself is locked
    int m_lock = -1;
};

}  // namespace tavrin
