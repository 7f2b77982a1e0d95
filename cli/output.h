#pragma once

#include <filesystem>
#include <iosfwd>

#include "support/file_io.h"
#include "support/result.h"

namespace tavrin::cli {

// A catalogue that cannot be loaded: the window's message, then the system's
// reason on a line of its own when there is one.
void WriteCatalogueError(std::ostream& err, const Error& error);

// The rules of every file a selection writes: never one of the catalogue
// files of `dataDir` it read.
WriteRules OutputRules(const std::filesystem::path& dataDir);

// Flushes standard output; 0 when everything reached it, otherwise the
// reason on `err` and the output-failure status.
int FinishOutput(std::ostream& out, std::ostream& err);

// Standard output failed with the system's error `error` (0: unknown): the
// reason on `err`, and the output-failure status.
int OutputLost(std::ostream& err, int error);

}  // namespace tavrin::cli
