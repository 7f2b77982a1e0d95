#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "coating_table.h"
#include "head_record.h"
#include "support/result.h"

namespace tavrin {

// The readable source form of the catalogues: one CSV row per head (every
// field of the record, in order, after a header row) and one row per coating
// (its row number and its twelve thresholds). Lines starting with "#" and
// blank lines are comments. A malformed line is reported with its line number
// and field.
Result<std::vector<HeadRecord>> ParseHeadsCsv(std::string_view text);
std::string WriteHeadsCsv(const std::vector<HeadRecord>& heads);

Result<CoatingTable> ParseCoatingsCsv(std::string_view text);
std::string WriteCoatingsCsv(const CoatingTable& table);

}  // namespace tavrin
