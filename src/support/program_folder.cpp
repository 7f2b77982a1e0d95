#include "program_folder.h"

#include <system_error>

namespace tavrin {

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || executable.empty()) {
        return std::filesystem::current_path(ec);
    }
    return executable.parent_path();
}

}  // namespace tavrin
