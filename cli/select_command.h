#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin::cli {

// `cv-tavrin-cli select ...`: replays a laser on the main window's model and
// explores; returns the exit status.
int RunSelectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavrin::cli
