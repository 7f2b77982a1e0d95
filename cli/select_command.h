#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin::cli {

// `cv-tavrin-cli select ...`: replays a laser on the main window's model and
// explores; returns the exit status.
// `errIsTerminal` lets a long batch show its progress.
int RunSelectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     bool errIsTerminal = false);

}  // namespace tavrin::cli
