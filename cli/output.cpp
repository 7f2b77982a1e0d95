#include "output.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "catalogue/coating_table.h"
#include "catalogue/head_catalogue.h"
#include "exit_status.h"
#include "support/control_characters.h"

namespace tavrin::cli {

WriteRules OutputRules(const std::filesystem::path& dataDir) {
    return WriteRules{false, {dataDir / kHeadsFileName, dataDir / kCoatingsFileName}};
}

void WriteCatalogueError(std::ostream& err, const Error& error) {
    err << EscapeControlCharacters(error.message) << "\n";
    if (!error.reason.empty()) {
        err << EscapeControlCharacters(error.reason) << "\n";
    }
}

int FinishOutput(std::ostream& out, std::ostream& err) {
    errno = 0;
    out.flush();
    if (out) {
        return kDone;
    }
    return OutputLost(err, errno);
}

int OutputLost(std::ostream& err, int error) {
    err << "cv-tavrin-cli: standard output could not be written: "
        << (error != 0 ? std::strerror(error) : "write error") << "\n";
    return kOutputFailed;
}

}  // namespace tavrin::cli
