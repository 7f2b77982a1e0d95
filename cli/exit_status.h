#pragma once

#include "support/result.h"

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

// A selection's outcome as the JSON and the batch's rows name it.
constexpr const char* StatusName(int status) {
    return status == kFound ? "found" : status == kNoneFound ? "none" : "invalid";
}

// The exit status of a command stopped by an error, by the error's kind: a
// catalogue file that cannot be read, a source or catalogue with errors, a
// mistake in the command, output that cannot be written.
constexpr int ExitStatusFor(ErrorCode code) {
    switch (code) {
        case ErrorCode::FileMissing:
        case ErrorCode::FileUnreadable:
            return kCatalogueMissing;
        case ErrorCode::BadSource:
        case ErrorCode::NotEncodable:
            return kCatalogueErrors;
        case ErrorCode::BadUsage:
        case ErrorCode::BadValue:
            return kUsageError;
        case ErrorCode::FileUnwritable:
            return kOutputFailed;
    }
    return kUsageError;
}

}  // namespace tavrin::cli
