#pragma once

#include <filesystem>
#include <span>
#include <string_view>

#include "result.h"
#include "termination_signals.h"

namespace tavrin {

// Writes all the bytes to a descriptor, through short writes and
// interruptions; with `held`, stops (errno EINTR) between pieces once a
// termination signal waits. False with errno set on a failure.
bool WriteAll(int descriptor, std::string_view bytes, const TerminationSignalsHeld* held = nullptr);

// The whole new content of a regular file, written beside it and flushed to
// disk, waiting to be put in its place by `PlaceAll`. It has no name while it
// is written where the file system allows (nothing is left behind if the
// program dies), otherwise a hidden one; it is removed unless it was placed.
class StagedFile {
public:
    // `target` is the file itself, not a link to it. The new file takes the
    // old one's permissions and, where the system lets it, its owner.
    static Result<StagedFile> Write(const std::filesystem::path& target, std::string_view bytes,
                                    const TerminationSignalsHeld& held);

    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&&) = delete;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

private:
    friend Result<void> PlaceAll(std::span<StagedFile> files);
    enum class Placed { Not, OverOld, New };

    explicit StagedFile(std::filesystem::path target) : m_target(std::move(target)) {}
    Result<void> Name();
    Result<void> Place();
    Result<void> PlaceBesideOld();
    void PutBack();
    void DropOld();

    std::filesystem::path m_target;
    int m_descriptor = -1;         // open until it is named
    std::filesystem::path m_name;  // its name beside the target; once placed, the old file's
    Placed m_placed = Placed::Not;
};

// Puts every staged file in place of its target, all or none: each old file
// is kept under a hidden name until the last new one is in place, and put
// back when one cannot be.
Result<void> PlaceAll(std::span<StagedFile> files);

}  // namespace tavrin
