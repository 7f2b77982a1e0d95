#include "csv.h"

namespace tavrin {
namespace {

Error SourceError(int line, const std::string& what) {
    return Error{ErrorCode::BadSource, "line " + std::to_string(line) + ": " + what};
}

}  // namespace

Result<std::vector<CsvRow>> ReadCsv(std::string_view text) {
    // Spreadsheets save UTF-8 with a byte-order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<CsvRow> rows;
    std::size_t pos = 0;
    int line = 1;
    while (pos < text.size()) {
        const std::size_t lineEnd = text.find('\n', pos);
        std::string_view rawLine =
            text.substr(pos, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - pos);
        if (!rawLine.empty() && rawLine.back() == '\r') {
            rawLine.remove_suffix(1);
        }
        if (rawLine.empty() || rawLine.front() == '#') {
            pos = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
            ++line;
            continue;
        }
        CsvRow row;
        row.line = line;
        std::string field;
        bool quoted = false;
        bool wasQuoted = false;
        while (true) {
            if (pos >= text.size()) {
                if (quoted) {
                    return SourceError(row.line, "a quoted field is not closed");
                }
                row.fields.push_back(std::move(field));
                break;
            }
            const char c = text[pos];
            if (quoted) {
                if (c == '"') {
                    if (pos + 1 < text.size() && text[pos + 1] == '"') {
                        field.push_back('"');
                        pos += 2;
                        continue;
                    }
                    quoted = false;
                    ++pos;
                    continue;
                }
                if (c == '\n') {
                    ++line;
                }
                field.push_back(c);
                ++pos;
                continue;
            }
            if (c == '"') {
                if (!field.empty() || wasQuoted) {
                    return SourceError(
                        line, "field " + std::to_string(row.fields.size() + 1) + ": a quote inside an unquoted field");
                }
                quoted = true;
                wasQuoted = true;
                ++pos;
                continue;
            }
            if (c == ',') {
                row.fields.push_back(std::move(field));
                field.clear();
                wasQuoted = false;
                ++pos;
                continue;
            }
            if (c == '\n' || (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')) {
                row.fields.push_back(std::move(field));
                pos += c == '\r' ? 2 : 1;
                break;
            }
            if (wasQuoted) {
                return SourceError(line,
                                   "field " + std::to_string(row.fields.size() + 1) + ": text after the closing quote");
            }
            field.push_back(c);
            ++pos;
        }
        ++line;
        rows.push_back(std::move(row));
    }
    return rows;
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
