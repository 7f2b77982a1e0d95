#include "csv.h"

#include <algorithm>
#include <istream>
#include <sstream>
#include <streambuf>

namespace tavrin {
namespace {

Error RowError(const std::string& what) {
    return Error{ErrorCode::BadSource, what};
}

Error FieldError(const CsvRow& row, const char* what) {
    return RowError("field " + std::to_string(row.fields.size() + 1) + ": " + what);
}

}  // namespace

CsvReader::CsvReader(std::istream& in) : m_in(&in) {
    // Spreadsheets save UTF-8 with a byte-order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::streambuf* buffer = in.rdbuf();
    for (const char expected : kByteOrderMark) {
        if (buffer == nullptr || buffer->sgetc() != static_cast<unsigned char>(expected)) {
            return;
        }
        buffer->sbumpc();
    }
}

// Reads the next physical line into m_text; false at the end of the text.
bool CsvReader::ReadLine() {
    m_text.clear();
    m_tooLong = false;
    m_droppedQuotes = 0;
    std::streambuf* buffer = m_in->rdbuf();
    if (buffer == nullptr || !*m_in) {
        return false;
    }
    using Traits = std::char_traits<char>;
    bool any = false;
    while (true) {
        const Traits::int_type c = buffer->sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            m_in->setstate(std::ios::eofbit);
            m_ended = false;
            break;
        }
        any = true;
        if (Traits::to_char_type(c) == '\n') {
            m_ended = true;
            break;
        }
        if (m_text.size() < kMaxRowBytes) {
            m_text.push_back(Traits::to_char_type(c));
        } else {
            m_tooLong = true;
            m_droppedQuotes += Traits::to_char_type(c) == '"' ? 1 : 0;
        }
    }
    if (!any) {
        return false;
    }
    ++m_line;
    return true;
}

void CsvReader::SkipRestOfRow(bool inQuotes) {
    // Past the lines read whole, the quotes of a well-formed row pair up, so
    // their count says whether a line break is inside a field.
    bool open = inQuotes;
    while (true) {
        const auto quotes = static_cast<std::size_t>(std::count(m_text.begin(), m_text.end(), '"')) + m_droppedQuotes;
        open = open != (quotes % 2 == 1);
        if (!open || !m_ended || !ReadLine()) {
            return;
        }
    }
}

Result<std::optional<CsvRow>> CsvReader::Next() {
    std::string_view first;
    do {
        if (!ReadLine()) {
            return std::optional<CsvRow>();
        }
        first = m_text;
        if (!first.empty() && first.back() == '\r') {
            first.remove_suffix(1);
        }
    } while (first.empty() || first.front() == '#');

    CsvRow row;
    row.line = m_line;
    m_reportedLine = m_line;
    std::string field;
    bool quoted = false;
    bool wasQuoted = false;
    std::size_t rowBytes = 0;
    while (true) {
        if (m_tooLong || (rowBytes += m_text.size()) > kMaxRowBytes) {
            SkipRestOfRow(quoted);
            return RowError("the row is longer than 1 MiB");
        }
        const std::size_t n = m_text.size();
        for (std::size_t i = 0; i < n; ++i) {
            const char c = m_text[i];
            if (quoted) {
                if (c == '"') {
                    if (i + 1 < n && m_text[i + 1] == '"') {
                        field.push_back('"');
                        ++i;
                    } else {
                        quoted = false;
                    }
                    continue;
                }
                field.push_back(c);
                continue;
            }
            if (c == '"') {
                if (!field.empty() || wasQuoted) {
                    m_reportedLine = m_line;
                    return FieldError(row, "a quote inside an unquoted field");
                }
                quoted = true;
                wasQuoted = true;
                continue;
            }
            if (c == ',') {
                row.fields.push_back(std::move(field));
                field.clear();
                wasQuoted = false;
                continue;
            }
            if (c == '\r' && i + 1 == n && m_ended) {
                break;  // the CR of a CR LF
            }
            if (wasQuoted) {
                m_reportedLine = m_line;
                return FieldError(row, "text after the closing quote");
            }
            field.push_back(c);
        }
        if (!quoted) {
            break;
        }
        // A line break inside a quoted field belongs to the field.
        if (!m_ended || !ReadLine()) {
            return RowError("a quoted field is not closed");
        }
        field.push_back('\n');
    }
    row.fields.push_back(std::move(field));
    return std::optional<CsvRow>(std::move(row));
}

Result<std::vector<CsvRow>> ReadCsv(std::string_view text) {
    std::istringstream in{std::string(text)};
    CsvReader reader(in);
    std::vector<CsvRow> rows;
    while (true) {
        auto row = reader.Next();
        if (!row) {
            return Error{ErrorCode::BadSource, "line " + std::to_string(reader.Line()) + ": " + row.Failure().message};
        }
        if (!row.Value()) {
            return rows;
        }
        rows.push_back(std::move(*row.Value()));
    }
}

std::string QuoteCsvField(const std::string& field) {
    const bool needsQuotes = field.find_first_of(",\"\r\n") != std::string::npos ||
                             (!field.empty() && (field.front() == ' ' || field.back() == ' ' || field.front() == '#'));
    if (!needsQuotes) {
        return field;
    }
    std::string out = "\"";
    for (const char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

}  // namespace tavrin
