#include "output.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "exit_status.h"

namespace tavrin::cli {

void WriteCatalogueError(std::ostream& err, const Error& error) {
    err << error.message << "\n";
    if (!error.reason.empty()) {
        err << error.reason << "\n";
    }
}

int FinishOutput(std::ostream& out, std::ostream& err) {
    errno = 0;
    out.flush();
    if (out) {
        return 0;
    }
    const int saved = errno;
    err << "cv-tavrin-cli: standard output could not be written: "
        << (saved != 0 ? std::strerror(saved) : "write error") << "\n";
    return kOutputFailed;
}

}  // namespace tavrin::cli
