#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "support/result.h"

namespace tavrin::cli {

// `cv-tavrin-cli select ...`: replays a laser on the main window's model and
// explores; returns the exit status.
int RunSelectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A catalogue that cannot be loaded: the window's message, then the system's
// reason on a line of its own when there is one.
void WriteCatalogueError(std::ostream& err, const Error& error);

// Flushes standard output; 0 when everything reached it, otherwise the
// reason on `err` and the output-failure status.
int FinishOutput(std::ostream& out, std::ostream& err);

}  // namespace tavrin::cli
