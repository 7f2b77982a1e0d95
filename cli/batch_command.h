#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "form/main_window_model.h"
#include "select_options.h"
#include "selection/head_limits.h"

namespace tavrin::cli {

// `select --batch FILE`: one selection per CSV row, each exactly what a single
// `select` with that row's options would give, on the catalogue loaded once.
// `options` carries the batch-wide options (--data-dir, --json, --details,
// --as-typed). Rows are read, run and written one at a time, so that memory
// stays flat and a lost output ends the run at once. Returns the batch's exit
// status.
int RunBatch(const std::string& file, const SelectOptions& options,
             const std::shared_ptr<const SearchCatalogue>& catalogue, char decimalSeparator, std::ostream& out,
             std::ostream& err, bool errIsTerminal);

// The CSV lines of one batch row: one per head found, or one with the status.
void WriteCsvRows(std::ostream& out, std::size_t row, const char* status, const MainWindowModel* model);

// The same on rows read from `in`; `file` names it in messages.
int RunBatchRows(std::istream& in, const std::string& file, const SelectOptions& options,
                 const std::shared_ptr<const SearchCatalogue>& catalogue, char decimalSeparator, std::ostream& out,
                 std::ostream& err, bool errIsTerminal);

}  // namespace tavrin::cli
