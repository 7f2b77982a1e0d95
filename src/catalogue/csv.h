#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
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

// Reads RFC 4180 CSV a row at a time: quoted fields may hold commas, doubled
// quotes and line breaks; CR LF and a UTF-8 byte-order mark are accepted.
// Blank lines and lines starting with "#" are comments. A malformed row is
// an error (what is wrong; Line() says where), after which reading goes on at
// the next line; a row longer than kMaxRowBytes is skipped to its end (a
// line break outside quotes) and refused as one row.
class CsvReader {
public:
    explicit CsvReader(std::istream& in);

    // The next row, or nothing at the end of the text.
    Result<std::optional<CsvRow>> Next();

    // The line the last row started on, or where reading it failed.
    [[nodiscard]] int Line() const { return m_reportedLine; }

    // A row longer than this is refused, so that a file without line breaks
    // cannot fill the memory.
    static constexpr std::size_t kMaxRowBytes = std::size_t{1} << 20;

private:
    bool ReadLine();
    // Reads on to the end of a row refused as too long; `inQuotes`: whether
    // the line last read ends inside a quoted field.
    void SkipRestOfRow(bool inQuotes);

    std::istream* m_in;
    std::string m_text;   // the physical line being read, without its line break
    bool m_ended = true;  // whether it ended with a line break
    bool m_tooLong = false;
    std::size_t m_droppedQuotes = 0;  // the quotes among the bytes of a too long line that were not kept
    int m_line = 0;
    int m_reportedLine = 0;
};

// Every row of a whole text; the first malformed row is the error, naming its line.
Result<std::vector<CsvRow>> ReadCsv(std::string_view text);

// The field as CSV writes it: quoted when it holds a comma, quote or line
// break, starts or ends with a blank, or starts with "#".
std::string QuoteCsvField(const std::string& field);

}  // namespace tavrin
