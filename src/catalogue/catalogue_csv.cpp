#include "catalogue_csv.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>

#include "csv.h"
#include "support/control_characters.h"

namespace tavrin {
namespace {

constexpr std::array<const char*, 17> kHeadColumns = {
    "Name",      "ResArdo",  "ResRVX",   "ResBrisa",        "ResQDM",   "ResSela",
    "ResVantic", "Aperture", "PowerMax", "PowerDensityMax", "PowerMin", "EnergyMax",
    "EnergyMin", "WaveMin",  "WaveMax",  "CoatingNo",       "HeadType"};

constexpr std::array<const char*, 13> kCoatingColumns = {
    "Row", "1 s", "100 ms", "10 ms", "1 ms", "100 us", "10 us", "1 us", "100 ns", "10 ns", "1 ns", "100 ps", "1 ps"};

Error SourceError(int line, const std::string& what) {
    return Error{ErrorCode::BadSource, "line " + std::to_string(line) + ": " + what};
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
        return FieldError(row, field, "\"" + text + "\" is not a whole number");
    }
    if (ec == std::errc::result_out_of_range || value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return FieldError(row, field, text + " does not fit its 16-bit field (-32768 to 32767)");
    }
    return static_cast<std::int16_t>(value);
}

Result<double> ParseDouble(const CsvRow& row, const char* field, const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return FieldError(row, field, "\"" + text + "\" is not a number");
    }
    if (!std::isfinite(value)) {
        return FieldError(row, field, "\"" + text + "\" is not a finite number");
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

Result<HeadRecord> ParseHeadRow(const CsvRow& row) {
    if (row.fields.size() != kHeadColumns.size()) {
        return SourceError(row.line, "expected " + std::to_string(kHeadColumns.size()) + " fields, found " +
                                         std::to_string(row.fields.size()));
    }
    const auto& f = row.fields;
    if (f[0].empty()) {
        return FieldError(row, kHeadColumns[0], "the name is empty");
    }
    HeadRecord head;
    head.Name = f[0];
    head.ResArdo = f[1];
    head.ResRVX = f[2];
    head.ResBrisa = f[3];
    head.ResQDM = f[4];
    head.ResSela = f[5];
    head.ResVantic = f[6];
    head.HeadType = f[16];
    const std::array<std::pair<std::size_t, std::int16_t HeadRecord::*>, 5> ints = {{
        {7, &HeadRecord::Aperture},
        {8, &HeadRecord::PowerMax},
        {9, &HeadRecord::PowerDensityMax},
        {11, &HeadRecord::EnergyMax},
        {15, &HeadRecord::CoatingNo},
    }};
    for (const auto& [index, member] : ints) {
        auto value = ParseInt16(row, kHeadColumns[index], f[index]);
        if (!value) {
            return value.Failure();
        }
        head.*member = value.Value();
    }
    const std::array<std::pair<std::size_t, double HeadRecord::*>, 4> doubles = {{
        {10, &HeadRecord::PowerMin},
        {12, &HeadRecord::EnergyMin},
        {13, &HeadRecord::WaveMin},
        {14, &HeadRecord::WaveMax},
    }};
    for (const auto& [index, member] : doubles) {
        auto value = ParseDouble(row, kHeadColumns[index], f[index]);
        if (!value) {
            return value.Failure();
        }
        head.*member = value.Value();
    }
    for (const auto& field : kHeadTextFields) {
        if (HasControlCharacter(head.*field.member)) {
            return FieldError(row, field.name, "holds a control character");
        }
    }
    return head;
}

}  // namespace

Result<std::vector<HeadRecord>> ParseHeadsCsv(std::string_view text) {
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
    for (std::size_t i = 1; i < rows.Value().size(); ++i) {
        auto head = ParseHeadRow(rows.Value()[i]);
        if (!head) {
            return head.Failure();
        }
        heads.push_back(std::move(head.Value()));
    }
    return heads;
}

std::string WriteHeadsCsv(const std::vector<HeadRecord>& heads) {
    // A control character from a foreign file is written visibly, never as itself.
    const auto text = [](const std::string& field) { return QuoteCsvField(EscapeControlCharacters(field)); };
    std::string out = JoinRow(kHeadColumns);
    for (const auto& h : heads) {
        const std::array<std::string, 17> fields = {text(h.Name),
                                                    text(h.ResArdo),
                                                    text(h.ResRVX),
                                                    text(h.ResBrisa),
                                                    text(h.ResQDM),
                                                    text(h.ResSela),
                                                    text(h.ResVantic),
                                                    std::to_string(h.Aperture),
                                                    std::to_string(h.PowerMax),
                                                    std::to_string(h.PowerDensityMax),
                                                    FormatDouble(h.PowerMin),
                                                    std::to_string(h.EnergyMax),
                                                    FormatDouble(h.EnergyMin),
                                                    FormatDouble(h.WaveMin),
                                                    FormatDouble(h.WaveMax),
                                                    std::to_string(h.CoatingNo),
                                                    text(h.HeadType)};
        out += JoinRow(fields);
    }
    return out;
}

Result<CoatingTable> ParseCoatingsCsv(std::string_view text) {
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
