#pragma once

#include <filesystem>

namespace tavrin {

// The folder of the running program, where its catalogues, documents and
// report live; the current folder when the system cannot tell.
std::filesystem::path ProgramFolder();

}  // namespace tavrin
