#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/result.h"

namespace tavrin {

// One row of a CSV text: its line number (of the row's first line) and fields.
struct CsvRow {
    int line = 0;
    std::vector<std::string> fields;
};

// Reads RFC 4180 CSV: quoted fields may hold commas, doubled quotes and line
// breaks; CR LF and a UTF-8 byte-order mark are accepted. Blank lines and
// lines starting with "#" are comments. A malformed row is an error naming
// its line.
Result<std::vector<CsvRow>> ReadCsv(std::string_view text);

// The field as CSV writes it: quoted when it holds a comma, quote or line
// break, starts or ends with a blank, or starts with "#".
std::string QuoteCsvField(const std::string& field);

}  // namespace tavrin
