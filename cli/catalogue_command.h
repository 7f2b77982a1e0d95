#pragma once

#include <filesystem>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace tavrin::cli {

// `cv-tavrin-cli catalogue build|dump|check ...`; returns the exit status.
int RunCatalogueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Writes the named files into the folder, replacing what was there: all of
// them or, when one cannot be written, none, and then the folder is removed
// if this made it. Only regular files are written, none of them one of
// `readFiles`. The folder is locked while they are written, and a
// termination signal waits until it is left as it was or as it is to be.
// Failures go to `err`; returns the exit status.
int WriteCatalogueFiles(const std::filesystem::path& folder,
                        std::initializer_list<std::pair<const char*, std::string>> files,
                        const std::vector<std::filesystem::path>& readFiles, std::ostream& err);

}  // namespace tavrin::cli
