#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "catalogue_command.h"
#include "exit_status.h"
#include "output.h"
#include "select_command.h"
#include "support/control_characters.h"
#include "version/version.h"

namespace {

constexpr const char* kUsage =
    "usage: cv-tavrin-cli select [options]     find the detector heads that suit a laser (--help for the options)\n"
    "       cv-tavrin-cli catalogue COMMAND    build, dump or check the catalogue files\n"
    "       cv-tavrin-cli --version            print the program's name and version\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace tavrin::cli;
    // A closed pipe is an output that could not be written (status 74), not
    // a reason to die silently.
    std::signal(SIGPIPE, SIG_IGN);
    // So is a file past the size limit (ulimit -f): the write fails with
    // "File too large" and what was begun is taken back, instead of the
    // process dying with half-written temporaries and the lock file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return kUsageError;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "catalogue") {
        return RunCatalogueCommand(rest, std::cout, std::cerr);
    }
    if (args[0] == "select") {
        return RunSelectCommand(rest, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return FinishOutput(std::cout, std::cerr);
    }
    if (args[0] == "--version" || args[0] == "-V") {
        std::cout << "cv-tavrin-cli " << tavrin::kVersion << "\n";
        return FinishOutput(std::cout, std::cerr);
    }
    std::cerr << "unknown command " << tavrin::QuotedForMessage(args[0]) << "\n" << kUsage;
    return kUsageError;
}
