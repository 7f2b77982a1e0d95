#include "batch_command.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>

#include "catalogue/csv.h"
#include "details_writers.h"
#include "exit_status.h"
#include "laser_replay.h"
#include "output.h"
#include "report_pdf.h"
#include "select_writers.h"
#include "support/control_characters.h"

namespace tavrin::cli {
namespace {

constexpr std::array<const char*, 11> kValueColumns = {"beam",      "width",     "wavelength",  "power",
                                                       "energy",    "rate",      "pulse-width", "profile",
                                                       "max-share", "threshold", "report-pdf"};
// The column whose file names are read from the batch file's folder.
constexpr const char* kReportPdfColumn = "report-pdf";
constexpr std::array<const char*, 4> kFlagColumns = {"pulsed", "rect", "single", "probe"};

// Where each known column stands in the file, or nothing.
struct Columns {
    std::vector<std::pair<std::string, std::size_t>> values;  // option name, field
    std::vector<std::pair<std::string, std::size_t>> flags;
};

// The refusal of a column no option stands for, naming those that do.
std::string UnknownColumn(const std::string& name) {
    std::string message = "unknown column " + QuotedForMessage(name) + " (columns: ";
    bool first = true;
    for (const auto list : {std::span<const char* const>(kValueColumns), std::span<const char* const>(kFlagColumns)}) {
        for (const char* column : list) {
            message += first ? "" : ", ";
            message += column;
            first = false;
        }
    }
    return message + ")";
}

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
            return Error{ErrorCode::BadUsage, "column " + QuotedForMessage(name) + " is given twice"};
        }
        if (known(kValueColumns)) {
            columns.values.emplace_back(name, i);
        } else if (known(kFlagColumns)) {
            columns.flags.emplace_back(name, i);
        } else {
            return Error{ErrorCode::BadUsage, UnknownColumn(name)};
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
Result<std::vector<std::string>> RowArguments(const CsvRow& row, const Columns& columns, const SelectOptions& batch,
                                              const std::filesystem::path& folder) {
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
                         name + ": " + QuotedForMessage(cell(field)) + " is not yes, no, true, false, 1, 0 or empty"};
        }
    }
    for (const auto& [name, field] : columns.values) {
        if (!cell(field).empty()) {
            args.push_back("--" + name);
            args.push_back(name == kReportPdfColumn ? (folder / cell(field)).string() : cell(field));
        }
    }
    return args;
}

// A one-line progress display for long batches at a terminal: the rows are
// read as they come, so it shows from the row after kProgressFromRows on.
class Progress {
public:
    Progress(std::ostream& err, bool terminal)
        : m_err(&err), m_terminal(terminal), m_start(std::chrono::steady_clock::now()) {}

    void Done(std::size_t rows) {
        if (m_terminal && rows > kProgressFromRows && rows % 100 == 1) {
            Show(rows, "");
        }
    }
    void Finish(std::size_t rows) {
        if (m_terminal && rows > kProgressFromRows) {
            Show(rows, "\n");
        }
    }

private:
    static constexpr std::size_t kProgressFromRows = 1000;

    void Show(std::size_t rows, const char* end) {
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        const double rate = seconds > 0 ? static_cast<double>(rows) / seconds : 0;
        std::array<char, 96> line{};
        std::snprintf(line.data(), line.size(), "\r%zu rows, %.0f rows/s ", rows, rate);
        *m_err << line.data() << end << std::flush;
    }

    std::ostream* m_err;
    bool m_terminal;
    std::chrono::steady_clock::time_point m_start;
};

// The batch input as the reader sees it. Before any read that would wait for
// more input, what was written is flushed, so that a pipe sees each result
// as soon as its row has run, also when the next row arrives in parts. A
// source that fails to read ends the input, and says so.
class FlushBeforeWaiting final : public std::streambuf {
public:
    FlushBeforeWaiting(std::streambuf& source, std::ostream& out) : m_source(&source), m_out(&out) {}

    // Why the source failed to read, or nothing.
    [[nodiscard]] const std::optional<std::string>& ReadFailure() const { return m_readFailure; }
    // The system's error of the last flush that failed (0: none or unknown).
    [[nodiscard]] int FlushError() const { return m_flushError; }

protected:
    int_type underflow() override {
        try {
            std::streamsize ready = m_source->in_avail();
            if (ready <= 0) {
                errno = 0;
                if (!m_out->flush()) {
                    m_flushError = errno;
                }
                if (traits_type::eq_int_type(m_source->sgetc(), traits_type::eof())) {
                    return traits_type::eof();
                }
                ready = std::max<std::streamsize>(m_source->in_avail(), 1);
            }
            const std::streamsize got = m_source->sgetn(m_buffer.data(), std::min(ready, kBufferBytes));
            if (got <= 0) {
                return traits_type::eof();
            }
            setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + got);
            return traits_type::to_int_type(m_buffer[0]);
        } catch (const std::ios_base::failure& failure) {
            // A file stream's buffer throws when the system fails a read.
            m_readFailure = failure.code().message();
            return traits_type::eof();
        }
    }

private:
    std::streambuf* m_source;
    std::ostream* m_out;
    static constexpr std::streamsize kBufferBytes = 65536;
    std::array<char, kBufferBytes> m_buffer{};
    std::optional<std::string> m_readFailure;
    int m_flushError = 0;
};

// The batch file: standard input for "-", otherwise any file that can be read
// (a pipe, a FIFO, /dev/stdin), opened as it is so that its rows stream.
Result<std::istream*> OpenBatch(const std::string& file, std::ifstream& opened) {
    if (file == "-") {
        return &std::cin;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        return Error{ErrorCode::BadUsage, "is a folder"};
    }
    errno = 0;
    opened.open(file, std::ios::binary);
    if (!opened) {
        return Error{ErrorCode::BadUsage, errno != 0 ? std::strerror(errno) : "cannot be read"};
    }
    return &opened;
}

// One data row run as a single `select` with its options would run it.
struct RowOutcome {
    std::optional<LaserRun> run;
    std::optional<std::string> reportPdf;  // the row's PDF report
    Result<int> status = kUsageError;      // the run's exit status, or why the row was refused
};

void RunRow(const Result<std::optional<CsvRow>>& read, const Columns& columns, std::size_t headerFields,
            const std::filesystem::path& folder, const SelectOptions& options,
            const std::shared_ptr<const SearchCatalogue>& catalogue, char decimalSeparator, RowOutcome& outcome) {
    if (!read) {
        outcome.status = Error{ErrorCode::BadUsage, read.Failure().message};
        return;
    }
    const CsvRow& row = *read.Value();
    if (row.fields.size() > headerFields) {
        outcome.status = Error{ErrorCode::BadUsage, std::to_string(row.fields.size()) +
                                                        " fields where the header has " + std::to_string(headerFields)};
        return;
    }
    auto args = RowArguments(row, columns, options, folder);
    auto rowOptions = args ? ParseSelectOptions(args.Value(), decimalSeparator) : Result<SelectOptions>(args.Failure());
    if (!rowOptions) {
        outcome.status = rowOptions.Failure();
        return;
    }
    if (rowOptions.Value().reportPdf) {
        if (auto refused = RefuseStandardOutput(*rowOptions.Value().reportPdf); !refused) {
            outcome.status = refused.Failure();
            return;
        }
    }
    outcome.run.emplace(catalogue, options.dataDir, decimalSeparator);
    outcome.status = outcome.run->Run(rowOptions.Value());
    outcome.reportPdf = rowOptions.Value().reportPdf;
}

// The row's PDF report, when it has one and its laser could be searched;
// false when the file could not be written (told on standard error).
bool WriteRowReport(ReportPdfDrawer& drawer, RowOutcome& row, std::size_t n, const WriteRules& rules,
                    WrittenReports& reports, std::ostream& err) {
    if (!row.reportPdf || !row.status || row.status.Value() == kInvalid) {
        return true;
    }
    Result<void> written;
    if (const auto earlier = reports.WrittenBy(*row.reportPdf)) {
        written = Error{ErrorCode::FileUnwritable, *row.reportPdf + " could not be written: it is row " +
                                                       std::to_string(*earlier) + "'s PDF report too"};
    } else {
        written = WriteReportPdf(drawer, row.run->ModelWithDetails(), std::nullopt, *row.reportPdf, rules);
        if (written) {
            reports.Written(*row.reportPdf, n);
        }
    }
    if (!written) {
        err << "cv-tavrin-cli: row " << n << ": the PDF report " << EscapeControlCharacters(written.Failure().message)
            << "\n";
    }
    return static_cast<bool>(written);
}

void WriteRow(std::ostream& out, std::ostream& err, std::size_t n, int line, RowOutcome& row,
              const SelectOptions& options) {
    if (options.json) {
        nlohmann::ordered_json json;
        if (!row.status) {
            json = {{"row", n}, {"line", line}, {"exit", kUsageError}, {"error", RefusalLine(row.status.Failure())}};
        } else {
            json = ResultJson(row.run->Model(), row.run->Messages(), row.status.Value());
            if (options.details && row.status.Value() != kInvalid) {
                json["details"] = DetailsJson(row.run->ModelWithDetails());
            }
            json["row"] = n;
            json["exit"] = row.status.Value();
        }
        out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return;
    }
    if (!row.status) {
        err << "cv-tavrin-cli: row " << n << " (line " << line
            << "): " << EscapeControlCharacters(row.status.Failure().message) << '\n';
    }
    WriteCsvRows(out, n, row.status ? StatusName(row.status.Value()) : "refused",
                 row.status ? &row.run->Model() : nullptr);
}

int Refuse(std::ostream& err, const std::string& file, const std::string& what) {
    err << "cv-tavrin-cli select: --batch " << EscapeControlCharacters(file) << ": " << EscapeControlCharacters(what)
        << "\n";
    return kUsageError;
}

}  // namespace

void WriteCsvRows(std::ostream& out, std::size_t row, const char* status, const MainWindowModel* model) {
    const ResultsGrid* grid = model != nullptr ? &model->Grid() : nullptr;
    if (grid == nullptr || grid->RowCount() == 0 || std::string_view(status) != StatusName(kFound)) {
        out << row << ',' << status << ",,\n";
        return;
    }
    for (int r = 1; r <= grid->RowCount(); ++r) {
        // A head's name comes from the catalogue: escaped as the text output
        // escapes it, so that no control character reaches a terminal or a line break splits a row.
        out << row << ',' << status << ',' << QuoteCsvField(EscapeControlCharacters(grid->CellAt(r, GridColumn::Name)))
            << ',' << QuoteCsvField(grid->CellAt(r, GridColumn::Margin)) << '\n';
    }
}

int RunBatch(const std::string& file, const SelectOptions& options,
             const std::shared_ptr<const SearchCatalogue>& catalogue, char decimalSeparator, std::ostream& out,
             std::ostream& err, bool errIsTerminal) {
    std::ifstream opened;
    const auto in = OpenBatch(file, opened);
    if (!in) {
        return Refuse(err, file, in.Failure().message);
    }
    return RunBatchRows(*in.Value(), file, options, catalogue, decimalSeparator, out, err, errIsTerminal);
}

int RunBatchRows(std::istream& in, const std::string& file, const SelectOptions& options,
                 const std::shared_ptr<const SearchCatalogue>& catalogue, char decimalSeparator, std::ostream& out,
                 std::ostream& err, bool errIsTerminal) {
    const auto refuse = [&err, &file](const std::string& what) { return Refuse(err, file, what); };
    FlushBeforeWaiting input(*in.rdbuf(), out);
    std::istream flushing(&input);
    CsvReader reader(flushing);
    const auto header = reader.Next();
    if (input.ReadFailure()) {
        return refuse("could not be read: " + *input.ReadFailure());
    }
    if (!header || !header.Value()) {
        return refuse(header ? "the header row is missing"
                             : "line " + std::to_string(reader.Line()) + ": " + header.Failure().message);
    }
    const auto columns = ReadHeader(*header.Value());
    if (!columns) {
        return refuse(columns.Failure().message);
    }
    const auto& pdfColumn = columns.Value().values;
    if (!CanDrawReportPdf() && std::any_of(pdfColumn.begin(), pdfColumn.end(),
                                           [](const auto& column) { return column.first == kReportPdfColumn; })) {
        return refuse(std::string("the report-pdf column: ") + kNoPdfDrawing);
    }
    // The rows' PDF files are named from the batch file's folder.
    const std::filesystem::path folder =
        file == "-" ? std::filesystem::path() : std::filesystem::path(file).parent_path();
    // A row's PDF is never a catalogue file, nor the batch file being read.
    WriteRules pdfRules = OutputRules(options.dataDir);
    if (file != "-") {
        pdfRules.readFiles.emplace_back(file);
    }
    ReportPdfDrawer drawer;
    WrittenReports reports;
    bool pdfFailed = false;
    const std::size_t headerFields = header.Value()->fields.size();
    if (!options.json) {
        out << "row,status,head,margin\n";
    }
    Progress progress(err, errIsTerminal);
    bool refused = false;
    std::size_t n = 0;
    while (true) {
        const auto read = reader.Next();
        if (!out) {
            return OutputLost(err, input.FlushError());
        }
        if (read && !read.Value()) {
            break;
        }
        ++n;
        RowOutcome row;
        RunRow(read, columns.Value(), headerFields, folder, options, catalogue, decimalSeparator, row);
        refused = refused || !row.status;
        pdfFailed = !WriteRowReport(drawer, row, n, pdfRules, reports, err) || pdfFailed;
        errno = 0;
        WriteRow(out, err, n, reader.Line(), row, options);
        if (!out) {
            return OutputLost(err, errno);
        }
        progress.Done(n);
    }
    progress.Finish(n);
    if (input.ReadFailure()) {
        return refuse("could not be read to its end: " + *input.ReadFailure());
    }
    if (const int written = FinishOutput(out, err); written != kDone) {
        return written;
    }
    return refused ? kRowRefused : pdfFailed ? kOutputFailed : kDone;
}

}  // namespace tavrin::cli
