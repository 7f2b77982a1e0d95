#pragma once

#include <iosfwd>
#include <string>

#include "catalogue/catalogue.h"
#include "select_options.h"

namespace tavrin::cli {

// `select --batch FILE`: one selection per CSV row, each exactly what a single
// `select` with that row's options would give, on the catalogue loaded once.
// `options` carries the batch-wide options (--data-dir, --json, --as-typed).
// Returns the batch's exit status.
int RunBatch(const std::string& file, const SelectOptions& options, const Catalogue& catalogue, char decimalSeparator,
             std::ostream& out, std::ostream& err, bool errIsTerminal);

}  // namespace tavrin::cli
