#include "catalogue_command.h"

#include <charconv>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <span>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_check.h"
#include "catalogue/catalogue_csv.h"
#include "catalogue/head_catalogue.h"
#include "exit_status.h"
#include "output.h"
#include "support/control_characters.h"
#include "support/file_io.h"
#include "support/output_folder.h"
#include "synthetic/synthetic_catalogue.h"

namespace tavrin::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeadsSource = "heads.csv";
// Ten times the largest catalogue the benchmarks make.
constexpr std::size_t kMostSyntheticHeads = 10'000'000;
constexpr const char* kCoatingsSource = "coatings.csv";

constexpr const char* kUsage =
    "usage: cv-tavrin-cli catalogue build SOURCE_DIR OUT_DIR\n"
    "       cv-tavrin-cli catalogue dump DIR [--out SOURCE_DIR]\n"
    "       cv-tavrin-cli catalogue check DIR\n"
    "       cv-tavrin-cli catalogue synth N DIR\n"
    "       cv-tavrin-cli catalogue --help\n"
    "  build  turns SOURCE_DIR/heads.csv and SOURCE_DIR/coatings.csv into OUT_DIR/Heads.Dat and Coatings.Dat\n"
    "  dump   prints the catalogue files of DIR in the source form (or writes them into SOURCE_DIR)\n"
    "  check  lists what the search cannot use or what looks wrong; exit status 1 on an error\n"
    "  synth  writes a made-up catalogue of N heads (at most 10000000) into DIR, for measuring\n"
    "build, dump --out and synth replace regular files only, all or none, and wait while another\n"
    "of them writes into the same folder.\n"
    "Exit status: 0 done, 1 a source or catalogue with errors, 3 a catalogue file missing or\n"
    "unreadable, 64 bad usage, 74 output that could not be written.\n";

// The error written on `err`, and the exit status its kind gives.
int Stop(std::ostream& err, const Error& error, const std::string& context = {}) {
    err << EscapeControlCharacters(context + error.message) << "\n";
    return ExitStatusFor(error.code);
}

// Refuses an empty text given as a folder or a count (the names are the
// usage's, in the order of `given`): none would be what the user meant.
std::optional<int> RefuseEmpty(std::ostream& err, std::span<const std::string> given,
                               std::initializer_list<const char*> names) {
    for (std::size_t i = 0; i < given.size() && i < names.size(); ++i) {
        if (given[i].empty()) {
            err << *(names.begin() + i) << " needs a value: the text given is empty\n" << kUsage;
            return kUsageError;
        }
    }
    return std::nullopt;
}

// A source file, or its failure written (with the system's reason) on `err`:
// a source that cannot be read is a source with errors.
Result<std::string> ReadSource(const fs::path& file, std::ostream& err) {
    auto text = ReadWholeFile(file, file.string() + ": no such file");
    if (!text) {
        Error failure = text.Failure();
        if (failure.code == ErrorCode::FileUnreadable) {
            failure.message = file.string() + ": cannot be read";
        }
        WriteCatalogueError(err, failure);
        return Error{ErrorCode::BadSource, failure.message, failure.reason};
    }
    return text;
}

int Build(const fs::path& source, const fs::path& target, std::ostream& err) {
    const auto headsText = ReadSource(source / kHeadsSource, err);
    if (!headsText) {
        return ExitStatusFor(headsText.Failure().code);
    }
    const auto coatingsText = ReadSource(source / kCoatingsSource, err);
    if (!coatingsText) {
        return ExitStatusFor(coatingsText.Failure().code);
    }
    const auto heads = ParseHeadsCsv(headsText.Value());
    if (!heads) {
        return Stop(err, heads.Failure(), (source / kHeadsSource).string() + ", ");
    }
    const auto coatings = ParseCoatingsCsv(coatingsText.Value());
    if (!coatings) {
        return Stop(err, coatings.Failure(), (source / kCoatingsSource).string() + ", ");
    }
    const auto headBytes = SerializeHeads(heads.Value());
    if (!headBytes) {
        return Stop(err, headBytes.Failure());
    }
    return WriteCatalogueFiles(
        target, {{kHeadsFileName, headBytes.Value()}, {kCoatingsFileName, SerializeCoatings(coatings.Value())}},
        {source / kHeadsSource, source / kCoatingsSource}, err);
}

int Dump(const fs::path& folder, const std::vector<std::string>& rest, std::ostream& out, std::ostream& err) {
    const auto catalogue = LoadCatalogue(folder);
    if (!catalogue) {
        WriteCatalogueError(err, catalogue.Failure());
        return ExitStatusFor(catalogue.Failure().code);
    }
    const std::string heads = WriteHeadsCsv(catalogue.Value().Heads);
    const std::string coatings = WriteCoatingsCsv(catalogue.Value().Coatings);
    if (rest.empty()) {
        out << "# " << kHeadsSource << "\n" << heads << "# " << kCoatingsSource << "\n" << coatings;
        return FinishOutput(out, err);
    }
    if (rest.size() != 2 || rest[0] != "--out") {
        err << "unexpected arguments after DIR\n" << kUsage;
        return kUsageError;
    }
    if (const auto refused = RefuseEmpty(err, {&rest[1], 1}, {"--out"})) {
        return *refused;
    }
    return WriteCatalogueFiles(rest[1], {{kHeadsSource, heads}, {kCoatingsSource, coatings}},
                               {folder / kHeadsFileName, folder / kCoatingsFileName}, err);
}

int Synthesize(const std::string& count, const fs::path& target, std::ostream& err) {
    std::size_t heads = 0;
    const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), heads);
    if (ec != std::errc() || end != count.data() + count.size()) {
        err << QuotedForMessage(count) << " is not a number of heads\n" << kUsage;
        return kUsageError;
    }
    if (heads > kMostSyntheticHeads) {
        err << count << " heads are more than synth makes (at most " << kMostSyntheticHeads << ")\n";
        return kUsageError;
    }
    const Catalogue catalogue = SyntheticCatalogue(heads);
    const auto headBytes = SerializeHeads(catalogue.Heads);
    if (!headBytes) {
        return Stop(err, headBytes.Failure());
    }
    return WriteCatalogueFiles(
        target, {{kHeadsFileName, headBytes.Value()}, {kCoatingsFileName, SerializeCoatings(catalogue.Coatings)}}, {},
        err);
}

int Check(const fs::path& folder, std::ostream& out, std::ostream& err) {
    const auto catalogue = LoadCatalogue(folder);
    if (!catalogue) {
        WriteCatalogueError(err, catalogue.Failure());
        return ExitStatusFor(catalogue.Failure().code);
    }
    // The files as they are, for what loading them hides; both were just read.
    const auto headBytes = ReadWholeFile(folder / kHeadsFileName, kHeadsFileName);
    const auto coatingBytes = ReadWholeFile(folder / kCoatingsFileName, kCoatingsFileName);
    if (!headBytes || !coatingBytes) {
        const Error& failure = headBytes ? coatingBytes.Failure() : headBytes.Failure();
        WriteCatalogueError(err, failure);
        return ExitStatusFor(failure.code);
    }
    std::vector<Finding> findings = CheckCatalogueFiles(headBytes.Value(), coatingBytes.Value());
    const auto loaded = CheckCatalogue(catalogue.Value());
    findings.insert(findings.end(), loaded.begin(), loaded.end());
    bool anyError = false;
    for (const Finding& finding : findings) {
        anyError = anyError || finding.error;
        out << (finding.error ? "error: " : "warning: ");
        if (!finding.head.empty()) {
            out << "head " << QuotedForMessage(finding.head) << ", ";
        }
        out << finding.field << ": " << EscapeControlCharacters(finding.text) << "\n";
    }
    out << catalogue.Value().Heads.size() << " heads checked, " << (anyError ? "errors found" : "no error") << "\n";
    if (const int written = FinishOutput(out, err); written != kDone) {
        return written;
    }
    return anyError ? kCatalogueErrors : kDone;
}

}  // namespace

int WriteCatalogueFiles(const fs::path& target, std::initializer_list<std::pair<const char*, std::string>> files,
                        const std::vector<fs::path>& readFiles, std::ostream& err) {
    // First made, last gone: a signal that stops the command arrives once the
    // folder is as it was.
    const TerminationSignalsHeld signals;
    auto folder = OutputFolder::Open(target, signals, [&target, &err] {
        // One write, so that a reader of the error stream never sees half the line.
        err << ("waiting for another command writing into " + EscapeControlCharacters(target.string()) + "\n")
            << std::flush;
    });
    if (!folder) {
        return Stop(err, folder.Failure());
    }
    std::vector<FileContent> contents;
    for (const auto& [name, bytes] : files) {
        contents.push_back(FileContent{target / name, bytes});
    }
    if (const auto written = ReplaceFiles(contents, WriteRules{true, readFiles}); !written) {
        return Stop(err, written.Failure());
    }
    folder.Value().Keep();
    return kDone;
}

int RunCatalogueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kUsageError;
    }
    const auto isHelp = [](const std::string& arg) { return arg == "--help" || arg == "-h"; };
    if (isHelp(args[0]) || (args.size() == 2 && isHelp(args[1]))) {
        out << kUsage;
        return FinishOutput(out, err);
    }
    const std::string& verb = args[0];
    const std::span<const std::string> operands(args.begin() + 1, args.end());
    if (verb == "build" && args.size() == 3) {
        if (const auto refused = RefuseEmpty(err, operands, {"SOURCE_DIR", "OUT_DIR"})) {
            return *refused;
        }
        return Build(args[1], args[2], err);
    }
    if (verb == "dump" && args.size() >= 2) {
        if (const auto refused = RefuseEmpty(err, operands, {"DIR"})) {
            return *refused;
        }
        return Dump(args[1], {args.begin() + 2, args.end()}, out, err);
    }
    if (verb == "check" && args.size() == 2) {
        if (const auto refused = RefuseEmpty(err, operands, {"DIR"})) {
            return *refused;
        }
        return Check(args[1], out, err);
    }
    if (verb == "synth" && args.size() == 3) {
        if (const auto refused = RefuseEmpty(err, operands, {"N", "DIR"})) {
            return *refused;
        }
        return Synthesize(args[1], args[2], err);
    }
    err << "unknown or incomplete catalogue command\n" << kUsage;
    return kUsageError;
}

}  // namespace tavrin::cli
