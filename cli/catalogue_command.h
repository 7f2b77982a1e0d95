#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin::cli {

// `cv-tavrin-cli catalogue build|dump|check ...`; returns the exit status.
int RunCatalogueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavrin::cli
