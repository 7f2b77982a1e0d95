#include <iostream>
#include <string>
#include <vector>

#include "catalogue_command.h"
#include "select_command.h"

namespace {

constexpr const char* kUsage =
    "usage: cv-tavrin-cli select [options]     find the detector heads that suit a laser (--help for the options)\n"
    "       cv-tavrin-cli catalogue COMMAND    build, dump or check the catalogue files\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return 64;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "catalogue") {
        return tavrin::cli::RunCatalogueCommand(rest, std::cout, std::cerr);
    }
    if (args[0] == "select") {
        return tavrin::cli::RunSelectCommand(rest, std::cout, std::cerr);
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << "unknown command \"" << args[0] << "\"\n" << kUsage;
    return 64;
}
