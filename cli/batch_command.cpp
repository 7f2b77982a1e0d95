#include "batch_command.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <ostream>

#include "catalogue/csv.h"
#include "exit_status.h"
#include "laser_replay.h"
#include "output.h"
#include "select_writers.h"
#include "support/file_io.h"

namespace tavrin::cli {
namespace {

constexpr std::array<const char*, 7> kValueColumns = {"beam",   "width", "wavelength", "power",
                                                      "energy", "rate",  "pulse-width"};
constexpr std::array<const char*, 4> kFlagColumns = {"pulsed", "rect", "single", "probe"};

// Where each known column stands in the file, or nothing.
struct Columns {
    std::vector<std::pair<std::string, std::size_t>> values;  // option name, field
    std::vector<std::pair<std::string, std::size_t>> flags;
};

Result<Columns> ReadHeader(const CsvRow& header) {
    Columns columns;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& name = header.fields[i];
        const auto known = [&name](const auto& list) {
            return std::find(list.begin(), list.end(), name) != list.end();
        };
        const auto given = [&name](const auto& list) {
            return std::any_of(list.begin(), list.end(), [&name](const auto& column) { return column.first == name; });
        };
        if (given(columns.values) || given(columns.flags)) {
            return Error{ErrorCode::BadUsage, "column \"" + name + "\" is given twice"};
        }
        if (known(kValueColumns)) {
            columns.values.emplace_back(name, i);
        } else if (known(kFlagColumns)) {
            columns.flags.emplace_back(name, i);
        } else {
            return Error{ErrorCode::BadUsage, "unknown column \"" + name +
                                                  "\" (columns: beam, width, wavelength, "
                                                  "power, energy, rate, pulse-width, pulsed, rect, single, probe)"};
        }
    }
    return columns;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

// The arguments a single `select` would be given for this row.
Result<std::vector<std::string>> RowArguments(const CsvRow& row, const Columns& columns, const SelectOptions& batch) {
    std::vector<std::string> args = {"--data-dir", batch.dataDir.string()};
    if (batch.asTyped) {
        args.emplace_back("--as-typed");
    }
    const auto cell = [&row](std::size_t field) {
        return field < row.fields.size() ? row.fields[field] : std::string();
    };
    for (const auto& [name, field] : columns.flags) {
        const std::string value = Lower(cell(field));
        if (value == "yes" || value == "true" || value == "1") {
            args.push_back("--" + name);
        } else if (!value.empty() && value != "no" && value != "false" && value != "0") {
            return Error{ErrorCode::BadUsage,
                         name + ": \"" + cell(field) + "\" is not yes, no, true, false, 1, 0 or empty"};
        }
    }
    for (const auto& [name, field] : columns.values) {
        if (!cell(field).empty()) {
            args.push_back("--" + name);
            args.push_back(cell(field));
        }
    }
    return args;
}

// A one-line progress display for long batches at a terminal.
class Progress {
public:
    Progress(std::ostream& err, std::size_t total, bool shown)
        : m_err(&err), m_total(total), m_shown(shown), m_start(std::chrono::steady_clock::now()) {}

    void Done(std::size_t rows) {
        if (!m_shown || (rows % 100 != 0 && rows != m_total)) {
            return;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        const double rate = seconds > 0 ? static_cast<double>(rows) / seconds : 0;
        const double left = rate > 0 ? static_cast<double>(m_total - rows) / rate : 0;
        std::array<char, 128> line{};
        std::snprintf(line.data(), line.size(), "\r%zu of %zu rows, %.0f rows/s, %.0f s left ", rows, m_total, rate,
                      left);
        *m_err << line.data() << (rows == m_total ? "\n" : "") << std::flush;
    }

private:
    std::ostream* m_err;
    std::size_t m_total;
    bool m_shown;
    std::chrono::steady_clock::time_point m_start;
};

constexpr std::size_t kProgressFromRows = 1000;

void WriteCsvRows(std::ostream& out, std::size_t row, const char* status, const MainWindowModel* model) {
    const ResultsGrid* grid = model != nullptr ? &model->Grid() : nullptr;
    if (grid == nullptr || grid->RowCount() == 0 || std::string(status) != "found") {
        out << row << ',' << status << ",,\n";
        return;
    }
    for (int r = 1; r <= grid->RowCount(); ++r) {
        out << row << ",found," << QuoteCsvField(grid->CellAt(r, GridColumn::Name)) << ','
            << QuoteCsvField(grid->CellAt(r, GridColumn::Margin)) << '\n';
    }
}

const char* StatusText(int status) {
    return status == kFound ? "found" : status == kNoneFound ? "none" : "invalid";
}

Result<std::string> ReadBatchText(const std::string& file) {
    if (file == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    }
    auto text = ReadWholeFile(file, file + ": no such file");
    if (!text) {
        const Error& e = text.Failure();
        return Error{ErrorCode::BadUsage, e.reason.empty() ? e.message : file + ": " + e.reason};
    }
    return std::move(text.Value());
}

}  // namespace

int RunBatch(const std::string& file, const SelectOptions& options, const Catalogue& catalogue, char decimalSeparator,
             std::ostream& out, std::ostream& err, bool errIsTerminal) {
    const auto text = ReadBatchText(file);
    const auto rows = text ? ReadCsv(text.Value()) : Result<std::vector<CsvRow>>(text.Failure());
    if (!rows || rows.Value().empty()) {
        err << "cv-tavrin-cli select: --batch " << file << ": "
            << (rows ? "the header row is missing" : rows.Failure().message) << "\n";
        return kUsageError;
    }
    const auto columns = ReadHeader(rows.Value().front());
    if (!columns) {
        err << "cv-tavrin-cli select: --batch " << file << ": " << columns.Failure().message << "\n";
        return kUsageError;
    }
    const std::size_t total = rows.Value().size() - 1;
    Progress progress(err, total, errIsTerminal && total > kProgressFromRows);
    if (!options.json) {
        out << "row,status,head,margin\n";
    }
    bool refused = false;
    for (std::size_t n = 1; n <= total; ++n) {
        std::optional<Error> refusal;
        std::optional<LaserRun> run;
        int status = kUsageError;
        auto args = RowArguments(rows.Value()[n], columns.Value(), options);
        auto rowOptions =
            args ? ParseSelectOptions(args.Value(), decimalSeparator) : Result<SelectOptions>(args.Failure());
        if (rowOptions) {
            run.emplace(catalogue, options.dataDir, decimalSeparator);
            if (auto ran = run->Run(rowOptions.Value())) {
                status = ran.Value();
            } else {
                refusal = ran.Failure();
            }
        } else {
            refusal = rowOptions.Failure();
        }
        refused = refused || refusal.has_value();
        if (options.json) {
            nlohmann::ordered_json json;
            if (refusal) {
                json = {{"row", n}, {"exit", kUsageError}, {"error", RefusalLine(*refusal)}};
            } else {
                json = ResultJson(run->Model(), run->Messages(), status);
                json["row"] = n;
                json["exit"] = status;
            }
            out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        } else {
            WriteCsvRows(out, n, refusal ? "refused" : StatusText(status), refusal ? nullptr : &run->Model());
        }
        progress.Done(n);
    }
    if (const int written = FinishOutput(out, err); written != 0) {
        return written;
    }
    return refused ? kRowRefused : 0;
}

}  // namespace tavrin::cli
