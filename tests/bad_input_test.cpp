// Bad input from files, arguments and foreign catalogues is refused or told,
// never misread, and output that is lost is never reported as success.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "catalogue/catalogue_csv.h"
#include "catalogue/head_catalogue.h"
#include "catalogue_command.h"
#include "select_command.h"
#include "support/file_io.h"
#include "test_support.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs `select` or `catalogue` as main() would dispatch it.
CliRun Cli(const std::vector<std::string>& args, std::ostream* out = nullptr) {
    std::ostringstream captured;
    std::ostringstream err;
    std::ostream& target = out != nullptr ? *out : captured;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const int status =
        args[0] == "select" ? cli::RunSelectCommand(rest, target, err) : cli::RunCatalogueCommand(rest, target, err);
    return {status, captured.str(), err.str()};
}

// The real program, through the shell, for what only a process shows.
CliRun Program(const std::string& arguments) {
    const std::string command = std::string(TAVRIN_PROGRAM_DIR) + "/cv-tavrin-cli " + arguments + " 2>/dev/null";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {-1, "", ""};
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        out += buffer;
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ""};
}

// A stream whose writes all fail, as standard output does on a full disk.
class FailingBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// Test names that ctest can carry: letters, digits, blanks, dots and dashes.
std::string Label(const std::string& text) {
    std::string label;
    for (const char c : text) {
        label.push_back(std::isalnum(static_cast<unsigned char>(c)) != 0 || c == ' ' || c == '.' || c == '-' ? c : '_');
    }
    return label;
}

// A fresh folder of this test's own, so that tests may run side by side.
fs::path TestFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    return test::FreshFolder(Label(std::string(info->test_suite_name()) + "-" + info->name()));
}

class BadInput : public testing::Test {
protected:
    void SetUp() override { setenv("LC_ALL", "C", 1); }
};

// A copy of the shipped catalogue folder.
fs::path ShippedCopy() {
    const fs::path folder = TestFolder();
    for (const char* file : {kHeadsFileName, kCoatingsFileName}) {
        fs::copy_file(fs::path(TAVRIN_PROGRAM_DIR) / file, folder / file);
    }
    return folder;
}

fs::path FolderWith(const std::vector<HeadRecord>& heads, const CoatingTable& coatings = test::UniformCoatings(100)) {
    const fs::path folder = TestFolder();
    test::WriteFile(folder / kHeadsFileName, SerializeHeads(heads).Value());
    test::WriteFile(folder / kCoatingsFileName, SerializeCoatings(coatings));
    return folder;
}

// ---- a catalogue that cannot be loaded -------------------------------------------

struct LoadCase {
    std::vector<const char*> missing;  // files removed from a copy of the shipped folder
    const char* unreadable;            // a file that fails to read, or nullptr
    const char* message;
    std::vector<std::string> command;  // the folder is appended

    friend void PrintTo(const LoadCase& c, std::ostream* os) {
        *os << Label(std::string(c.message) + " " + c.command.back());
    }
};

class CatalogueThatCannotBeLoaded : public BadInput, public testing::WithParamInterface<LoadCase> {};

// Reading the process's own memory file fails with an I/O error, as a failing
// disk does. The head catalogue is loaded first, so its message wins.
TEST_P(CatalogueThatCannotBeLoaded, EndsWithTheMessageAndTheSystemsReason) {
    const fs::path folder = ShippedCopy();
    for (const char* file : GetParam().missing) {
        fs::remove(folder / file);
    }
    if (GetParam().unreadable != nullptr) {
        fs::remove(folder / GetParam().unreadable);
        fs::create_symlink("/proc/self/mem", folder / GetParam().unreadable);
    }

    test::RecordingMessages messages;
    test::RecordingOpener opener;
    test::RecordingRequestWindow window;
    test::RecordingPrinter printer;
    EXPECT_EQ(MainWindowModel::Start(folder, '.', {messages, opener, window, printer}), nullptr);
    const Message expected{GetParam().message, "Attention", MessageIcon::Exclamation, MessageButtons::Ok};
    EXPECT_EQ(messages.shown, std::vector<Message>{expected});

    std::vector<std::string> command = GetParam().command;
    command.push_back(folder.string());
    const CliRun run = Cli(command);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              std::string(GetParam().message) + (GetParam().unreadable != nullptr ? "\nInput/output error\n" : "\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogueThatCannotBeLoaded,
    testing::Values(LoadCase{{}, "Heads.Dat", "Heads File Missing", {"select", "--beam", "5", "--data-dir"}},
                    LoadCase{{}, "Coatings.Dat", "Coatings File Missing", {"select", "--data-dir"}},
                    LoadCase{{}, "Heads.Dat", "Heads File Missing", {"catalogue", "check"}},
                    LoadCase{{}, "Coatings.Dat", "Coatings File Missing", {"catalogue", "dump"}},
                    LoadCase{{"Heads.Dat", "Coatings.Dat"}, nullptr, "Heads File Missing", {"catalogue", "check"}},
                    LoadCase{{"Coatings.Dat"}, nullptr, "Coatings File Missing", {"select", "--data-dir"}}));

// ---- value arguments the entry filter would cut ----------------------------------

struct ValueCase {
    std::vector<std::string> laser;
    const char* entry;  // the JSON entry the value lands in
    const char* kept;   // what the filter keeps with --as-typed
    std::string refusal;

    friend void PrintTo(const ValueCase& c, std::ostream* os) { *os << Label(c.laser.back()); }
};

class ValueArguments : public BadInput, public testing::WithParamInterface<ValueCase> {};

TEST_P(ValueArguments, AreRefusedUnlessAsTyped) {
    std::vector<std::string> args = {"select", "--data-dir", "/nonexistent-folder"};
    args.insert(args.end(), GetParam().laser.begin(), GetParam().laser.end());
    const CliRun refused = Cli(args);
    EXPECT_EQ(refused.status, 64);
    EXPECT_EQ(refused.err, "cv-tavrin-cli: " + GetParam().refusal + "\n");
    EXPECT_TRUE(refused.out.empty());

    args[2] = TAVRIN_PROGRAM_DIR;
    args.insert(args.end(), {"--as-typed", "--json"});
    const CliRun typed = Cli(args);
    EXPECT_NE(typed.status, 64) << typed.err;
    const auto entry = nlohmann::json::parse(typed.out)["entries"][GetParam().entry];
    EXPECT_EQ(entry.is_array() ? entry[0] : entry, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueArguments,
    testing::Values(
        ValueCase{{"--power", "10MW"},
                  "MaxPower",
                  "10",
                  "--power \"10MW\": \"10M\" is not a number (the entry would keep \"10\"); units of the power entry: "
                  "kW, W, mW, uW, nW, pW"},
        ValueCase{{"--wavelength", "1.064\u00B5m"},
                  "WaveLength",
                  "1.064",
                  "--wavelength \"1.064\u00B5m\": \"1.064\u00B5m\" is not a number (the entry would keep \"1.064\"); "
                  "units of the wavelength entry: um, nm"},
        ValueCase{{"--power", "1e309"},
                  "MaxPower",
                  "1e30",
                  "--power \"1e309\": \"1e309\" is not a number (the entry would keep \"1e30\"); units of the power "
                  "entry: kW, W, mW, uW, nW, pW"},
        ValueCase{{"--power", "nan"},
                  "MaxPower",
                  "",
                  "--power \"nan\": \"nan\" is not a number (the entry would keep \"\"); units of the power entry: "
                  "kW, W, mW, uW, nW, pW"},
        ValueCase{{"--beam", "12a"},
                  "Beam1",
                  "12",
                  "--beam \"12a\": \"12a\" is not a number (the entry would keep \"12\"); the beam entry takes a "
                  "number of mm and no unit"}));

TEST_F(BadInput, AnEmptyTextWithAUnitIsStillAllowed) {
    const CliRun run = Cli({"select", "--data-dir", TAVRIN_PROGRAM_DIR, "--beam", "5", "--power", "W"});
    EXPECT_EQ(run.status, 2) << run.err;
}

// ---- catalogue values that are not numbers -----------------------------------------

struct SourceCase {
    const char* file;
    std::string row;
    const char* message;

    friend void PrintTo(const SourceCase& c, std::ostream* os) { *os << Label(c.message); }
};

class BadSources : public BadInput, public testing::WithParamInterface<SourceCase> {};

TEST_P(BadSources, AreRefusedWithTheirLineAndFieldAndNothingIsWritten) {
    const fs::path folder = TestFolder();
    const std::string heads = WriteHeadsCsv({test::WideHead("A")});
    const std::string coatings = WriteCoatingsCsv(test::UniformCoatings(1));
    const bool inHeads = std::string(GetParam().file) == "heads.csv";
    test::WriteFile(folder / "heads.csv", heads + (inHeads ? GetParam().row + "\n" : ""));
    test::WriteFile(folder / "coatings.csv",
                    inHeads ? coatings : coatings.substr(0, coatings.find('\n') + 1) + GetParam().row + "\n");
    const CliRun run = Cli({"catalogue", "build", folder.string(), (folder / "out").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder / "out" / kHeadsFileName));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadSources,
    testing::Values(
        SourceCase{"heads.csv", "B,,,,,,,4,1,1,nan,1,0,0,1,1,t",
                   "line 3: field PowerMin: \"nan\" is not a finite number"},
        SourceCase{"heads.csv", "B,,,,,,,4,1,1,0,1,inf,0,1,1,t", "line 3: field EnergyMin: \"inf\" is not a finite"},
        SourceCase{"heads.csv", "B,,,,,,,4,1,1,0,1,0,-inf,1,1,t", "line 3: field WaveMin: \"-inf\" is not a finite"},
        SourceCase{"heads.csv", "B,,,,,,,4,1,1,zero,1,0,0,1,1,t", "line 3: field PowerMin: \"zero\" is not a number"},
        SourceCase{"heads.csv", "B,,,,,,,40000,1,1,0,1,0,0,1,1,t", "line 3: field Aperture"},
        SourceCase{"heads.csv", "B,,,,,,,4,1.5,1,0,1,0,0,1,1,t", "line 3: field PowerMax"},
        SourceCase{"heads.csv", "B,,,,,,,4,1,1,0,1,0,0,1,1", "line 3: expected 17 fields"},
        SourceCase{"heads.csv", "\"B,,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: a quoted field is not closed"},
        SourceCase{"heads.csv", ",,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field Name: the name is empty"},
        SourceCase{"heads.csv", "\"B\x1b[2J\",,,,,,,4,1,1,0,1,0,0,1,1,t",
                   "line 3: field Name: the name holds a control character"},
        SourceCase{"heads.csv", "\"B\rC\",,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field Name: the name holds a control"},
        SourceCase{"coatings.csv", "1,NaN,1,1,1,1,1,1,1,1,1,1,1", "line 2: field 1 s: \"NaN\" is not a finite number"},
        SourceCase{"coatings.csv", "1,1,1,1,1,1,1,1,1,1,1,1,infinity", "line 2: field 1 ps: \"infinity\" is not a"}));

struct CheckCase {
    const char* what;
    std::function<void(std::vector<HeadRecord>&, CoatingTable&)> edit;  // on one head "H"
    const char* finding;
    int status = 1;  // 0 when the finding is only a warning

    friend void PrintTo(const CheckCase& c, std::ostream* os) { *os << Label(c.what); }
};

class CatalogueCheck : public BadInput, public testing::WithParamInterface<CheckCase> {};

TEST_P(CatalogueCheck, ReportsWhatTheSearchCannotUse) {
    std::vector<HeadRecord> heads = {test::WideHead("H")};
    CoatingTable coatings = test::UniformCoatings(1);
    GetParam().edit(heads, coatings);
    const CliRun run = Cli({"catalogue", "check", FolderWith(heads, coatings).string()});
    EXPECT_EQ(run.status, GetParam().status) << run.out;
    EXPECT_NE(run.out.find(GetParam().finding), std::string::npos) << run.out;
}

using Heads = std::vector<HeadRecord>;

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogueCheck,
    testing::Values(CheckCase{"NaN limit", [](Heads& h, CoatingTable&) { h[0].WaveMax = std::nan(""); },
                              "error: head \"H\", WaveMax: the limit is not a finite number"},
                    CheckCase{"infinite limit", [](Heads& h, CoatingTable&) { h[0].PowerMin = HUGE_VAL; },
                              "error: head \"H\", PowerMin: the limit is not a finite number"},
                    CheckCase{"negative limit", [](Heads& h, CoatingTable&) { h[0].PowerMax = -1; },
                              "error: head \"H\", PowerMax: the limit is negative"},
                    CheckCase{"crossed wavelengths", [](Heads& h, CoatingTable&) { h[0].WaveMin = 30; },
                              "error: head \"H\", WaveMin: the shortest wavelength is above the longest"},
                    CheckCase{"coating above 7", [](Heads& h, CoatingTable&) { h[0].CoatingNo = 8; },
                              "error: head \"H\", CoatingNo: 8 is above 7"},
                    CheckCase{"coating outside the table", [](Heads& h, CoatingTable&) { h[0].CoatingNo = -1; },
                              "error: head \"H\", CoatingNo: -1 is outside the coating table"},
                    CheckCase{"name used twice", [](Heads& h, CoatingTable&) { h.push_back(h[0]); },
                              "error: head \"H\", Name: the name is used by more than one head"},
                    CheckCase{"control character in a name",
                              [](Heads& h, CoatingTable&) { h[0].Name = "H\x1b]0;x\x07"; },
                              "error: head \"H\\x1b]0;x\\x07\", Name: the name holds a control character"},
                    CheckCase{"NaN threshold", [](Heads&, CoatingTable& c) { c.Set(4, 7, std::nan("")); },
                              "error: coating row 4: threshold in column 7 is not a finite number"},
                    CheckCase{"infinite threshold", [](Heads&, CoatingTable& c) { c.Set(10, 11, -HUGE_VAL); },
                              "error: coating row 10: threshold in column 11 is not a finite number"},
                    CheckCase{"negative 1 s threshold", [](Heads&, CoatingTable& c) { c.Set(2, 0, -1); },
                              "error: coating row 2: negative threshold in column 0"},
                    CheckCase{"rising threshold", [](Heads&, CoatingTable& c) { c.Set(3, 5, 2); },
                              "warning: coating row 3: the threshold rises from column 4", 0}));

// ---- control characters in head names -------------------------------------------

struct NameCase {
    std::string name;
    std::string escaped;   // text output and --explain
    std::string replaced;  // report file

    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << Label(c.escaped); }
};

class ControlCharacters : public BadInput, public testing::WithParamInterface<NameCase> {};

TEST_P(ControlCharacters, NeverReachTheTerminalOrTheReport) {
    const fs::path folder = FolderWith({test::WideHead(GetParam().name)});
    const fs::path report = folder / "report.txt";
    const std::vector<std::string> laser = {"select",       "--data-dir", folder.string(), "--beam", "5",
                                            "--wavelength", "1064nm",     "--power",       "10"};
    auto kept = laser;
    kept.insert(kept.end(), {"--report", report.string()});
    const CliRun found = Cli(kept);
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_NE(found.out.find(GetParam().escaped + " "), std::string::npos) << found.out;
    EXPECT_NE(test::ReadFile(report).find(GetParam().replaced + " "), std::string::npos);

    auto rejected = laser;
    rejected.insert(rejected.end(), {"--power", "20kW", "--explain"});
    const CliRun explained = Cli(rejected);
    EXPECT_NE(explained.out.find(GetParam().escaped + ": max power"), std::string::npos) << explained.out;

    for (const std::string& out : {found.out, explained.out}) {
        for (const char c : out) {
            EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << static_cast<int>(c);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlCharacters,
                         testing::Values(NameCase{"A\x1b[2JB", "A\\x1b[2JB", "A?[2JB"},
                                         NameCase{"A\rPRODUCTS FOUND:", "A\\x0dPRODUCTS FOUND:", "A?PRODUCTS FOUND:"},
                                         NameCase{"T\x7f\xc2\x81", "T\\x7f\\u0081", "T??"}));

// ---- output that cannot be written ----------------------------------------------

struct LostOutputCase {
    std::vector<std::string> command;
    bool stdoutFails;
    const char* message;

    friend void PrintTo(const LostOutputCase& c, std::ostream* os) { *os << Label(c.command[0] + " " + c.message); }
};

class LostOutput : public BadInput, public testing::WithParamInterface<LostOutputCase> {};

TEST_P(LostOutput, EndsWithStatus74AndTheReason) {
    FailingBuffer failing;
    std::ostream broken(&failing);
    std::vector<std::string> command = GetParam().command;
    for (std::string& arg : command) {
        if (arg == "PROGRAM") {
            arg = TAVRIN_PROGRAM_DIR;
        } else if (arg.starts_with("TMP/")) {
            arg = (TestFolder() / arg.substr(4)).string();
        }
    }
    const CliRun run = Cli(command, GetParam().stdoutFails ? &broken : nullptr);
    EXPECT_EQ(run.status, 74);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LostOutput,
    testing::Values(
        LostOutputCase{{"select", "--data-dir", "PROGRAM", "--beam", "5", "--power", "10"}, true, "standard output"},
        LostOutputCase{{"select", "--data-dir", "PROGRAM", "--beam", "5", "--json"}, true, "standard output"},
        LostOutputCase{{"select", "--help"}, true, "standard output"},
        LostOutputCase{{"catalogue", "dump", "PROGRAM"}, true, "standard output"},
        LostOutputCase{{"catalogue", "check", "PROGRAM"}, true, "standard output"},
        LostOutputCase{{"select", "--data-dir", "PROGRAM", "--beam", "5", "--report", "TMP/missing/report.txt"},
                       false,
                       "report.txt could not be written: No such file or directory"},
        LostOutputCase{{"select", "--data-dir", "PROGRAM", "--beam", "5", "--report", "/dev/full"},
                       false,
                       "/dev/full could not be written completely: No space left on device"},
        LostOutputCase{{"catalogue", "dump", "PROGRAM", "--out", "/dev/full"}, false, "/dev/full is not a folder"},
        LostOutputCase{{"catalogue", "build", TAVRIN_DATA_DIR, "/dev/full"}, false, "/dev/full is not a folder"}));

TEST_F(BadInput, AProcessWritingToAFullDiskExitsWith74) {
    EXPECT_EQ(Program("catalogue dump " + std::string(TAVRIN_PROGRAM_DIR) + " >/dev/full").status, 74);
    EXPECT_TRUE(fs::exists("/dev/full"));
}

// ---- where users stumble ----------------------------------------------------------

TEST_F(BadInput, VersionAndHelpExitZero) {
    for (const char* flag : {"--version", "-V"}) {
        const CliRun run = Program(flag);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "cv-tavrin-cli 1.0.0\n");
    }
    EXPECT_EQ(Program("--help").status, 0);
    EXPECT_EQ(Program("select --help").status, 0);
}

}  // namespace
}  // namespace tavrin
