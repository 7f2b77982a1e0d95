#include "select_command.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "batch_command.h"
#include "catalogue/coating_table.h"
#include "catalogue/head_catalogue.h"
#include "details_writers.h"
#include "exit_status.h"
#include "form/quiet_services.h"
#include "laser_replay.h"
#include "output.h"
#include "report_pdf.h"
#include "reports/report.h"
#include "select_options.h"
#include "select_writers.h"
#include "support/control_characters.h"
#include "support/decimal_separator.h"
#include "support/file_io.h"

namespace tavrin::cli {
namespace {

constexpr const char* kUsage =
    "usage: cv-tavrin-cli select [--data-dir DIR] [--pulsed] [--rect] [--single] [--probe]\n"
    "           [--beam TEXT] [--width TEXT] [--wavelength TEXT[UNIT]] [--power TEXT[UNIT]]\n"
    "           [--energy TEXT[UNIT]] [--rate TEXT[UNIT]] [--pulse-width TEXT[UNIT]]\n"
    "           [--profile uniform|gaussian|FACTOR] [--max-share N] [--threshold RULE]\n"
    "           [--json] [--report FILE] [--report-pdf FILE [--head NAME]] [--explain] [--details]\n"
    "           [--as-typed] [--batch FILE]\n";

constexpr const char* kHelp =
    "Finds the detector heads that suit a laser, exactly as the main window does: the options\n"
    "are replayed on the window in a fixed order (start-up, options, units, texts), then Explore.\n"
    "\n"
    "  --data-dir DIR        folder with Heads.Dat and Coatings.Dat (default: the program's folder)\n"
    "  --pulsed              a pulsed laser (default: CW)\n"
    "  --rect                a rectangular beam (default: circular)\n"
    "  --single              measure single pulse energy (needs --pulsed; the rate becomes \"Single\")\n"
    "  --probe               look for probes instead of power meters\n"
    "  --beam TEXT           beam diameter in mm, or the rectangle's length L: with the\n"
    "                        uniform profile the full width of a flat-top beam, with gaussian\n"
    "                        the full width at 1/e\u00B2 of the peak (a FWHM is 1.699 times smaller)\n"
    "  --width TEXT          the rectangle's width W in mm (needs --rect), read as --beam is\n"
    "@UNITS@"
    "  --profile PROFILE     how the power is spread over the beam: uniform (the default),\n"
    "                        gaussian (the sizes at 1/e\u00B2 of the peak: the centre sees 2 times\n"
    "                        the mean, 8/pi for a rectangle) or a measured peak-to-mean factor\n"
    "                        of at least 1; the limits are compared with the peak\n"
    "  --max-share N         keep a head only when the laser uses at most N % of each of its\n"
    "                        limits: power, power density, energy, aperture, damage threshold\n"
    "                        (N above 0 and at most 100, \"%\" allowed; default 100)\n"
    "  --threshold RULE      how a damage threshold is read between the coating table's points:\n"
    "                        as-listed (the default: straight lines, the 100 ps value held down\n"
    "                        to 10 ps, a line on to 1 ps) or conservative (never above the power\n"
    "                        law through the neighbouring points; below 1 ps and above 1 s the\n"
    "                        end value holds under both)\n"
    "  --json                one JSON object with entries, labels, values, messages and heads\n"
    "  --report FILE         also write the report in the \"Print.txt\" layout to FILE (a link\n"
    "                        is followed; /dev/stdout adds it to standard output); never a\n"
    "                        folder or one of the catalogue files read\n"
    "  --report-pdf FILE     also write the report as a PDF to FILE, as --report writes its\n"
    "                        file: the laser, the derived values and the suitable heads (or the\n"
    "                        request for a custom head), then one head's limits, the share of\n"
    "                        each used and its chart; A4, Letter where LC_PAPER's paper is Letter\n"
    "  --head NAME           the head of the PDF's second page (default: the first suitable\n"
    "                        head); a head that does not suit is shown with why not\n"
    "  --explain             list every head that was not kept, with the first reason\n"
    "  --details             why each head was kept or not: the share of each limit used, where\n"
    "                        each threshold came from, the threshold curves, a beam with which a\n"
    "                        rejected head would fit, and for a uniform beam how each kept head\n"
    "                        would fare with a Gaussian beam of the same sizes at 1/e\u00B2\n"
    "  --as-typed            let each entry's filter cut a value as if it were typed, instead of\n"
    "                        refusing a value that is not a number\n"
    "  --batch FILE          one selection per row of a CSV file (- for standard input); columns\n"
    "                        beam, width, wavelength, power, energy, rate, pulse-width, profile,\n"
    "                        max-share, threshold (values as the options take them), pulsed,\n"
    "                        rect, single, probe (yes/no) and report-pdf (a PDF report's file,\n"
    "                        relative to the batch file's folder);\n"
    "                        prints JSON Lines with --json (--details adds each row's details),\n"
    "                        otherwise row,status,head,margin; blank lines and lines that begin\n"
    "                        with # are comments; a refused row (one longer than 1 MiB too,\n"
    "                        skipped to its end) is named on standard error\n"
    "\n"
    "A value is the entry text followed by an optional unit (the longest unit of that entry's\n"
    "list that ends it, in exact case). The numbers taken depend on the locale's decimal\n"
    "separator (LC_ALL, LC_NUMERIC, LANG), as in the window's entries:\n"
    "  \".\" (C, en_US):    2.5  .5  5.  -2.5e-3, and 2,5 (a \",\" after a digit); not ,5\n"
    "  \",\" (de_DE, it_IT): 2,5  ,5  5,  -2,5e-3, and 2.5 (a \".\" after a digit); not .5, .5e1\n"
    "A value holds one separator at most (\"1,000,000\" and \"1,000.5\" are refused). The\n"
    "other character counts as digit grouping while a text is tested, so its digits count\n"
    "toward the size: under \",\" \"1.5e308\" is too large where \"1,5e308\" is taken.\n"
    "A text that is not a number, such as \"10M\" in \"10MW\", is refused with exit status\n"
    "64; where only the locale's spelling is wrong the refusal shows the one it takes\n"
    "(\"under this locale (decimal separator \",\") write \"0,5\"\"). An empty text with a\n"
    "unit (\"W\") is allowed. A value of 0 or less is incomplete data (exit status 2), and\n"
    "so is a laser whose beam size, area or densities are too large or too small to compute.\n"
    "A derived value of a million or more is written with a power of ten (\" 3.142e6\").\n"
    "\n"
    "What the numbers assume: the beam sizes as --beam says; the pulse width is the full\n"
    "width at half maximum; with --single the average-power checks take one pulse per\n"
    "second. A head is kept up to 100 % of each limit unless --max-share says otherwise.\n"
    "\n"
    "Exit status: 0 heads found, 1 none found (the request text is composed), 2 incomplete\n"
    "data, 3 a catalogue file missing or unreadable, 64 bad usage, 74 output that could not\n"
    "be written (standard output, the --report or the --report-pdf file). With --batch: 0 every row ran, 65 a\n"
    "row was refused, 3, 64 (bad options or header) and 74 as above.\n"
    "\n"
    "Examples:\n"
    "  CW:           cv-tavrin-cli select --beam 5 --wavelength 1064nm --power 100W\n"
    "  pulsed:       cv-tavrin-cli select --pulsed --beam 8 --wavelength 1064nm --energy 10mJ --rate 1kHz "
    "--pulse-width 10ns\n"
    "  single pulse: cv-tavrin-cli select --pulsed --single --beam 10 --wavelength 532nm --energy 50mJ "
    "--pulse-width 5ns\n";

// A line of the help for each entry with units, from its unit list.
std::string UnitHelp() {
    std::string lines;
    for (const ValueOption& option : ValueOptions()) {
        const UnitList* list = UnitListOf(option.entry);
        if (list == nullptr) {
            continue;
        }
        std::vector<std::string> units = list->units;
        const bool pulsed = option.entry == EntryId::MaxEnergy || option.entry == EntryId::RepRate ||
                            option.entry == EntryId::PulseWidth;
        if (option.entry == EntryId::RepRate) {
            units.emplace_back(kSingle);
        }
        std::string line = "  " + std::string(option.name) + " TEXT[UNIT]";
        line.resize(std::max<std::size_t>(line.size() + 1, 28), ' ');
        line += "unit ";
        for (std::size_t i = 0; i < units.size(); ++i) {
            line += (i == 0 ? "" : i + 1 == units.size() ? " or " : ", ") + units[i];
        }
        line += std::string(" (default ") + list->startUnit + (pulsed ? "; needs --pulsed" : "") + ")\n";
        lines += line;
    }
    return lines;
}

int Refuse(std::ostream& err, const Error& error) {
    err << RefusalLine(error) << "\n";
    if (error.code != ErrorCode::BadValue) {
        err << kUsage;
    }
    return ExitStatusFor(error.code);
}

}  // namespace

int RunSelectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    const char decimalSeparator = DecimalSeparatorFromEnvironment();
    const auto parsed = ParseSelectOptions(args, decimalSeparator);
    if (!parsed) {
        return Refuse(err, parsed.Failure());
    }
    const SelectOptions& options = parsed.Value();
    if (options.help) {
        std::string help = kHelp;
        const std::string mark = "@UNITS@";
        help.replace(help.find(mark), mark.size(), UnitHelp());
        out << kUsage << "\n" << help;
        return FinishOutput(out, err);
    }

    if (options.reportPdf && !CanDrawReportPdf()) {
        err << "cv-tavrin-cli select: " << kNoPdfDrawing << "\n";
        return kUsageError;
    }

    if (options.reportPdf) {
        if (const auto refused = RefuseStandardOutput(*options.reportPdf); !refused) {
            err << "cv-tavrin-cli select: " << EscapeControlCharacters(refused.Failure().message) << "\n";
            return kUsageError;
        }
    }
    if (options.report && options.reportPdf && OneFile(*options.report, *options.reportPdf)) {
        err << "cv-tavrin-cli select: --report and --report-pdf name one file, "
            << EscapeControlCharacters(*options.report) << ": the text report would be lost (name two files)\n";
        return kUsageError;
    }

    auto loaded = LoadCatalogue(options.dataDir);
    if (!loaded) {
        WriteCatalogueError(err, loaded.Failure());
        return ExitStatusFor(loaded.Failure().code);
    }
    const auto catalogue = std::make_shared<const SearchCatalogue>(std::move(loaded.Value()));
    if (options.batch) {
        return RunBatch(*options.batch, options, catalogue, decimalSeparator, out, err, errIsTerminal);
    }
    std::optional<std::size_t> head;
    if (options.head) {
        const auto named = HeadNamed(catalogue->catalogue, *options.head);
        if (!named) {
            err << "cv-tavrin-cli select: --head: " << EscapeControlCharacters(named.Failure().message) << "\n";
            return ExitStatusFor(named.Failure().code);
        }
        head = named.Value();
    }
    LaserRun run(catalogue, options.dataDir, decimalSeparator);
    const auto ran = run.Run(options);
    if (!ran) {
        return Refuse(err, ran.Failure());
    }
    const int status = ran.Value();
    const MainWindowModel& model = run.Model();

    int outcome = status;
    if (options.report) {
        const auto written = ReplaceFile(*options.report,
                                         ComposeReport(model.State(), CommandLineLabels(model), model.Grid(),
                                                       &ReplaceControlCharacters, decimalSeparator),
                                         OutputRules(options.dataDir));
        if (!written) {
            err << "cv-tavrin-cli: the report " << EscapeControlCharacters(written.Failure().message) << "\n";
            outcome = ExitStatusFor(written.Failure().code);
        }
    }
    if (options.reportPdf && status != kInvalid) {
        ReportPdfDrawer drawer;
        const auto written =
            WriteReportPdf(drawer, run.ModelWithDetails(), head, *options.reportPdf, OutputRules(options.dataDir));
        if (!written) {
            err << "cv-tavrin-cli: the PDF report " << EscapeControlCharacters(written.Failure().message) << "\n";
            outcome = ExitStatusFor(written.Failure().code);
        }
    }
    if (options.json) {
        nlohmann::ordered_json json = ResultJson(model, run.Messages(), status);
        if (options.details && status != kInvalid) {
            json["details"] = DetailsJson(run.ModelWithDetails());
        }
        out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        WriteSummary(out, model, run.Messages(), status);
        if (options.explain && status != kInvalid) {
            WriteExplanation(out, model);
        }
        if (options.details && status != kInvalid) {
            WriteDetails(out, run.ModelWithDetails());
        }
    }
    if (const int written = FinishOutput(out, err); written != kDone) {
        return written;
    }
    return outcome;
}

}  // namespace tavrin::cli
