#include "catalogue_csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <variant>

#include "catalogue_check.h"
#include "cp1252.h"
#include "csv.h"
#include "head_catalogue.h"
#include "support/control_characters.h"
#include "support/utf8.h"

namespace tavrin {
namespace {

// The source form's columns are the record's fields, in their order.
constexpr std::array<const char*, kHeadFields.size()> HeadColumns() {
    std::array<const char*, kHeadFields.size()> columns{};
    for (std::size_t i = 0; i < kHeadFields.size(); ++i) {
        columns[i] = kHeadFields[i].name;
    }
    return columns;
}
constexpr std::array<const char*, kHeadFields.size()> kHeadColumns = HeadColumns();

constexpr std::array<const char*, 13> kCoatingColumns = {
    "Row", "1 s", "100 ms", "10 ms", "1 ms", "100 us", "10 us", "1 us", "100 ns", "10 ns", "1 ns", "100 ps", "1 ps"};

Error SourceError(int line, const std::string& what) {
    return Error{ErrorCode::BadSource, "line " + std::to_string(line) + ": " + what};
}

// A source is UTF-8; one saved in a spreadsheet's plain CSV usually is not
// (Windows-1252 on most Western desktops), which the refusal says.
Result<void> CheckUtf8(std::string_view text) {
    const auto bad = FirstInvalidUtf8(text);
    if (!bad) {
        return {};
    }
    const std::string_view before = text.substr(0, *bad);
    const std::size_t lastBreak = before.rfind('\n');
    const std::size_t column = before.size() - (lastBreak == std::string_view::npos ? 0 : lastBreak + 1) + 1;
    const auto line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    std::array<char, 8> byte{};
    std::snprintf(byte.data(), byte.size(), "0x%02X", static_cast<unsigned char>(text[*bad]));
    return SourceError(
        line, std::string("the file is not UTF-8: byte ") + byte.data() + " at column " + std::to_string(column) +
                  " (in Windows-1252, a spreadsheet's usual "
                  "CSV, it reads " +
                  QuotedForMessage(DecodeCp1252(text.substr(*bad, 1))) + "); save the file as UTF-8 (\"CSV UTF-8\")");
}

template <std::size_t N>
Result<void> CheckHeader(const CsvRow& row, const std::array<const char*, N>& columns) {
    bool same = row.fields.size() == N;
    for (std::size_t i = 0; same && i < N; ++i) {
        same = row.fields[i] == columns[i];
    }
    if (same) {
        return {};
    }
    std::string expected;
    for (const char* column : columns) {
        expected += expected.empty() ? "" : ",";
        expected += column;
    }
    return SourceError(row.line, "the header row must read \"" + expected + "\"");
}

Error FieldError(const CsvRow& row, const char* field, const std::string& what) {
    return SourceError(row.line, std::string("field ") + field + ": " + what);
}

Result<std::int16_t> ParseInt16(const CsvRow& row, const char* field, const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec == std::errc::invalid_argument || ptr != end) {
        return FieldError(row, field, QuotedForMessage(text) + " is not a whole number");
    }
    if (ec == std::errc::result_out_of_range || value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return FieldError(row, field, QuotedForMessage(text) + " does not fit its 16-bit field (-32768 to 32767)");
    }
    return static_cast<std::int16_t>(value);
}

Result<double> ParseDouble(const CsvRow& row, const char* field, const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return FieldError(row, field, QuotedForMessage(text) + " is not a number");
    }
    if (!std::isfinite(value)) {
        return FieldError(row, field, QuotedForMessage(text) + " is not a finite number");
    }
    return value;
}

std::string FormatDouble(double value) {
    std::array<char, 64> buffer{};
    const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), ptr);
}

template <typename Range>
std::string JoinRow(const Range& fields) {
    std::string line;
    bool first = true;
    for (const auto& field : fields) {
        if (!first) {
            line.push_back(',');
        }
        line += field;
        first = false;
    }
    line.push_back('\n');
    return line;
}

// Reads the fields of one kind into the head, in column order; the first
// that does not read is the row's error.
template <typename T, typename Parse>
Result<void> ReadFieldsOfKind(const CsvRow& row, HeadRecord& head, Parse parse) {
    for (std::size_t column = 0; column < kHeadFields.size(); ++column) {
        const HeadField& field = kHeadFields[column];
        if (const auto* member = std::get_if<T HeadRecord::*>(&field.member)) {
            auto value = parse(row, field.name, row.fields[column]);
            if (!value) {
                return value.Failure();
            }
            head.** member = value.Value();
        }
    }
    return {};
}

Result<HeadRecord> ParseHeadRow(const CsvRow& row) {
    if (row.fields.size() != kHeadColumns.size()) {
        return SourceError(row.line, "expected " + std::to_string(kHeadColumns.size()) + " fields, found " +
                                         std::to_string(row.fields.size()));
    }
    HeadRecord head;
    const auto text = [](const CsvRow&, const char*, const std::string& field) { return Result<std::string>(field); };
    // The whole numbers are read before the decimals, so that a row with
    // several faults names the one it always named.
    for (const auto& read :
         {ReadFieldsOfKind<std::string>(row, head, text), ReadFieldsOfKind<std::int16_t>(row, head, &ParseInt16),
          ReadFieldsOfKind<double>(row, head, &ParseDouble)}) {
        if (!read) {
            return read.Failure();
        }
    }
    return head;
}

}  // namespace

Result<std::vector<HeadRecord>> ParseHeadsCsv(std::string_view text) {
    if (auto utf8 = CheckUtf8(text); !utf8) {
        return utf8.Failure();
    }
    auto rows = ReadCsv(text);
    if (!rows) {
        return rows.Failure();
    }
    if (rows.Value().empty()) {
        return SourceError(1, "the header row is missing");
    }
    if (auto header = CheckHeader(rows.Value().front(), kHeadColumns); !header) {
        return header.Failure();
    }
    std::vector<HeadRecord> heads;
    std::map<std::string, int> names;
    for (std::size_t i = 1; i < rows.Value().size(); ++i) {
        const CsvRow& row = rows.Value()[i];
        auto head = ParseHeadRow(row);
        if (!head) {
            return head.Failure();
        }
        // What the catalogue check calls an error is never built, nor a text
        // the file cannot store.
        for (const Finding& finding : CheckHead(head.Value(), names)) {
            if (finding.error) {
                return SourceError(row.line, "field " + finding.field + ": " + finding.text);
            }
        }
        for (const auto& field : kHeadTextFields) {
            if (auto fault = UnstorableText(head.Value().*field.member)) {
                return FieldError(row, field.name, *fault);
            }
        }
        heads.push_back(std::move(head.Value()));
    }
    if (heads.empty()) {
        return SourceError(rows.Value().back().line, kNoHead);
    }
    return heads;
}

std::string WriteHeadsCsv(const std::vector<HeadRecord>& heads) {
    std::string out = JoinRow(kHeadColumns);
    std::array<std::string, kHeadFields.size()> fields;
    for (const auto& head : heads) {
        for (std::size_t column = 0; column < kHeadFields.size(); ++column) {
            // A control character from a foreign file is written visibly, never as itself.
            fields[column] =
                std::visit(FieldVisitor{[&](std::string HeadRecord::*member) {
                                            return QuoteCsvField(EscapeControlCharacters(head.*member));
                                        },
                                        [&](std::int16_t HeadRecord::*member) { return std::to_string(head.*member); },
                                        [&](double HeadRecord::*member) { return FormatDouble(head.*member); }},
                           kHeadFields[column].member);
        }
        out += JoinRow(fields);
    }
    return out;
}

Result<CoatingTable> ParseCoatingsCsv(std::string_view text) {
    if (auto utf8 = CheckUtf8(text); !utf8) {
        return utf8.Failure();
    }
    auto rows = ReadCsv(text);
    if (!rows) {
        return rows.Failure();
    }
    if (rows.Value().empty()) {
        return SourceError(1, "the header row is missing");
    }
    if (auto header = CheckHeader(rows.Value().front(), kCoatingColumns); !header) {
        return header.Failure();
    }
    CoatingTable table;
    std::set<int> seen;
    for (std::size_t i = 1; i < rows.Value().size(); ++i) {
        const CsvRow& row = rows.Value()[i];
        if (row.fields.size() != kCoatingColumns.size()) {
            return SourceError(row.line, "expected " + std::to_string(kCoatingColumns.size()) + " fields, found " +
                                             std::to_string(row.fields.size()));
        }
        auto number = ParseInt16(row, kCoatingColumns[0], row.fields[0]);
        if (!number) {
            return number.Failure();
        }
        const int coating = number.Value();
        if (coating < CoatingTable::kFirstStoredRow || coating > CoatingTable::kLastStoredRow) {
            return FieldError(row, kCoatingColumns[0], "coating rows are numbered 1 to 10");
        }
        if (!seen.insert(coating).second) {
            return FieldError(row, kCoatingColumns[0], "coating row " + std::to_string(coating) + " is given twice");
        }
        for (int column = 0; column < CoatingTable::kStoredColumns; ++column) {
            const auto index = static_cast<std::size_t>(column) + 1;
            auto value = ParseDouble(row, kCoatingColumns[index], row.fields[index]);
            if (!value) {
                return value.Failure();
            }
            if (auto fault = ThresholdFault(value.Value(), column)) {
                return FieldError(row, kCoatingColumns[index], *fault);
            }
            table.Set(coating, column, value.Value());
        }
    }
    return table;
}

std::string WriteCoatingsCsv(const CoatingTable& table) {
    std::string out = JoinRow(kCoatingColumns);
    for (int row = CoatingTable::kFirstStoredRow; row <= CoatingTable::kLastStoredRow; ++row) {
        std::vector<std::string> fields{std::to_string(row)};
        for (int column = 0; column < CoatingTable::kStoredColumns; ++column) {
            fields.push_back(FormatDouble(table.At(row, column)));
        }
        out += JoinRow(fields);
    }
    return out;
}

}  // namespace tavrin
