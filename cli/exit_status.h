#pragma once

namespace tavrin::cli {

// The exit statuses of cv-tavrin-cli, as its help and the README list them.
inline constexpr int kFound = 0;
inline constexpr int kNoneFound = 1;
inline constexpr int kInvalid = 2;
inline constexpr int kCatalogueMissing = 3;
inline constexpr int kDone = 0;             // catalogue commands: done
inline constexpr int kCatalogueErrors = 1;  // catalogue commands: a source or catalogue with errors
inline constexpr int kUsageError = 64;
inline constexpr int kRowRefused = 65;
inline constexpr int kOutputFailed = 74;

}  // namespace tavrin::cli
