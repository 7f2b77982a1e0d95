// Bad input from files, arguments and foreign catalogues is refused or told,
// never misread, and output that is lost is never reported as success.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <span>
#include <sstream>
#include <tuple>

#include "catalogue/catalogue_csv.h"
#include "catalogue/head_catalogue.h"
#include "catalogue_command.h"
#include "select_command.h"
#include "select_options.h"
#include "support/control_characters.h"
#include "test_support.h"
#include "version/version.h"

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

// The real program, through the shell, for what only a process shows; `shell`
// runs before it in the same shell (a limit to set, say).
CliRun Program(const std::string& arguments, const std::string& shell = "") {
    const std::string command =
        shell + std::string(TAVRIN_PROGRAM_DIR) + "/cv-tavrin-cli " + arguments + " 2>/dev/null";
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

// A fresh folder of this test's own, so that tests may run side by side.
fs::path TestFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    return test::FreshFolder(std::string(info->test_suite_name()) + "-" + info->name());
}

class BadInput : public testing::Test {
protected:
    test::LocaleEnvironment m_locale;
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

// Puts `standIn` in the place of `file`: "a folder", "a FIFO", or a link to
// the path given.
void ReplaceWith(const fs::path& file, const std::string& standIn) {
    fs::remove(file);
    if (standIn == "a folder") {
        fs::create_directory(file);
    } else if (standIn == "a FIFO") {
        ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    } else {
        fs::create_symlink(standIn, file);
    }
}

// Reading the process's own memory file fails with an I/O error, as a failing
// disk does. The head catalogue is loaded first, so its message wins. A
// folder, a FIFO (never waited on) or a device is no catalogue file either.
TEST_F(BadInput, ACatalogueThatCannotBeLoadedEndsWithTheMessageAndTheSystemsReason) {
    struct Case {
        std::vector<const char*> missing;  // files removed from a copy of the shipped folder
        const char* unreadable;            // a file replaced by `standIn`, or nullptr
        const char* message;
        std::vector<std::string> command;  // the folder is appended
        const char* reason = "Input/output error";
        bool loop = false;  // the folder is a link to itself
        const char* standIn = "/proc/self/mem";
    };
    const Case cases[] = {
        {{}, "Heads.Dat", "Heads File Missing", {"select", "--data-dir"}, "Is a folder", false, "a folder"},
        {{}, "Coatings.Dat", "Coatings File Missing", {"catalogue", "check"}, "Is a folder", false, "a folder"},
        {{}, "Heads.Dat", "Heads File Missing", {"catalogue", "check"}, "not a regular file", false, "a FIFO"},
        {{}, "Coatings.Dat", "Coatings File Missing", {"select", "--data-dir"}, "not a regular file", false, "a FIFO"},
        {{}, "Heads.Dat", "Heads File Missing", {"catalogue", "dump"}, "not a regular file", false, "/dev/zero"},
        {{}, "Coatings.Dat", "Coatings File Missing", {"catalogue", "check"}, "not a regular file", false, "/dev/null"},
        {{}, "Heads.Dat", "Heads File Missing", {"select", "--beam", "5", "--data-dir"}},
        {{}, "Coatings.Dat", "Coatings File Missing", {"select", "--data-dir"}},
        {{}, "Heads.Dat", "Heads File Missing", {"catalogue", "check"}},
        {{}, "Coatings.Dat", "Coatings File Missing", {"catalogue", "dump"}},
        {{"Heads.Dat", "Coatings.Dat"}, nullptr, "Heads File Missing", {"catalogue", "check"}, ""},
        {{"Coatings.Dat"}, nullptr, "Coatings File Missing", {"select", "--data-dir"}, ""},
        {{}, nullptr, "Heads File Missing", {"select", "--data-dir"}, "Too many levels of symbolic links", true},
        {{}, nullptr, "Heads File Missing", {"catalogue", "check"}, "Too many levels of symbolic links", true}};
    for (const Case& c : cases) {
        fs::path folder = ShippedCopy();
        for (const char* file : c.missing) {
            fs::remove(folder / file);
        }
        if (c.unreadable != nullptr) {
            ReplaceWith(folder / c.unreadable, c.standIn);
        }
        if (c.loop) {
            folder /= "loop";
            fs::create_symlink(folder, folder);
        }
        test::ModelFixture f;  // only its services
        EXPECT_EQ(MainWindowModel::Start(folder, '.', {f.messages, f.opener, f.requestWindow, f.printer}), nullptr);
        const Message expected{c.message, "Attention", MessageIcon::Exclamation, MessageButtons::Ok};
        EXPECT_EQ(f.messages.shown, std::vector<Message>{expected});

        std::vector<std::string> command = c.command;
        command.push_back(folder.string());
        const CliRun run = Cli(command);
        EXPECT_EQ(run.status, 3) << command[0] << " " << c.standIn;
        EXPECT_EQ(run.err, std::string(c.message) + "\n" + (*c.reason != '\0' ? c.reason + std::string("\n") : ""));
    }
}

// A source that is no file is named with why, and is a source with errors.
TEST_F(BadInput, ASourceThatIsNoFileIsRefusedWithWhy) {
    for (const char* source : {"heads.csv", "coatings.csv"}) {
        for (const auto& [standIn, reason] : {std::pair{"a folder", "Is a folder"},
                                              {"a FIFO", "not a regular file"},
                                              {"/dev/zero", "not a regular file"}}) {
            const fs::path folder = TestFolder();
            for (const char* file : {"heads.csv", "coatings.csv"}) {
                fs::copy_file(fs::path(TAVRIN_DATA_DIR) / file, folder / file);
            }
            ReplaceWith(folder / source, standIn);
            const CliRun run = Cli({"catalogue", "build", folder.string(), (folder / "out").string()});
            EXPECT_EQ(run.status, 1) << source << " " << standIn;
            EXPECT_EQ(run.err, (folder / source).string() + ": cannot be read\n" + reason + "\n");
            EXPECT_FALSE(fs::exists(folder / "out"));
        }
    }
    const fs::path folder = TestFolder();
    const CliRun missing = Cli({"catalogue", "build", folder.string(), (folder / "out").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, (folder / "heads.csv").string() + ": no such file\n");
}

// ---- value arguments the entry filter would cut ----------------------------------

TEST_F(BadInput, ValueArgumentsTheEntryFilterWouldCutAreRefusedUnlessAsTyped) {
    struct Case {
        std::vector<std::string> laser;
        const char* entry;  // the JSON entry the value lands in
        const char* kept;   // what the filter keeps with --as-typed
        std::string refusal;
    };
    const std::string power = "; units of the power entry: kW, W, mW, uW, nW, pW";
    std::vector<Case> cases = {{{"--power", "10MW"},
                                "MaxPower",
                                "10",
                                "--power \"10MW\": \"10M\" is not a number (the entry would keep \"10\")" + power},
                               {{"--wavelength", "1.064\u00B5m"},
                                "WaveLength",
                                "1.064",
                                "--wavelength \"1.064\u00B5m\": \"1.064\u00B5m\" is not a number (the entry would keep "
                                "\"1.064\"); units of the wavelength entry: um, nm"},
                               {{"--power", "1e309"},
                                "MaxPower",
                                "1e30",
                                "--power \"1e309\": \"1e309\" is not a number (the entry would keep \"1e30\")" + power},
                               {{"--power", "nan"},
                                "MaxPower",
                                "",
                                "--power \"nan\": \"nan\" is not a number (the entry would keep \"\")" + power},
                               {{"--beam", "12a"},
                                "Beam1",
                                "12",
                                "--beam \"12a\": \"12a\" is not a number (the entry would keep \"12\"); the beam entry "
                                "takes a number of mm and no unit"}};
    const auto grouped = [](const char* option, const char* text, const char* entry) {
        return Case{{option, text},
                    entry,
                    text,
                    std::string(option) + " \"" + text + "\": \"" + text +
                        "\" does not read as one number (a value holds one decimal separator and no thousands "
                        "separator)"};
    };
    // Texts the numeric test takes with grouping, which convert to nothing.
    cases.insert(cases.end(), {grouped("--beam", "1,000,000", "Beam1"), grouped("--power", "1,000,000", "MaxPower"),
                               grouped("--beam", "1,,0", "Beam1")});
    for (const Case& c : cases) {
        std::vector<std::string> args = {"select", "--data-dir", "/nonexistent-folder"};
        args.insert(args.end(), c.laser.begin(), c.laser.end());
        const CliRun refused = Cli(args);
        EXPECT_EQ(refused.status, 64);
        EXPECT_EQ(refused.err, "cv-tavrin-cli: " + c.refusal + "\n");
        EXPECT_TRUE(refused.out.empty());

        args[2] = TAVRIN_PROGRAM_DIR;
        args.insert(args.end(), {"--as-typed", "--json"});
        const CliRun typed = Cli(args);
        EXPECT_NE(typed.status, 64) << typed.err;
        const auto entry = nlohmann::json::parse(typed.out)["entries"][c.entry];
        EXPECT_EQ(entry.is_array() ? entry[0] : entry, c.kept);
    }
}

// The strict check takes exactly what the entry keeps whole under the same
// decimal separator, reads it as the entry does, and a refusal that is only
// the locale's spelling shows the spelling this locale takes.
TEST_F(BadInput, EachLocaleTakesTheEntrysSpellingAndTheRefusalShowsIt) {
    const std::string zeros(320, '0');
    struct Case {
        char decimal;
        std::string text;
        std::optional<double> value;  // what is read, or nothing when refused
        std::string refusal{};        // a part of the refusal
    };
    const Case cases[] = {{'.', ".5", 0.5},
                          {'.', "1,5", 1.5},
                          {'.', "-2.5e-3", -2.5e-3},
                          {'.', ",5", {}, "under this locale (decimal separator \".\") write \"0.5\""},
                          {'.', "-,5e1", {}, "write \"-0.5e1\""},
                          {'.', "1,5e308", {}, "write \"1.5e308\""},
                          {'.', "1." + zeros, 1.0},
                          {'.', "1," + zeros, {}, "write \"1." + std::string(58, '0') + "...\" (322 characters)"},
                          {'.', "1,000,000", {}, "does not read as one number (a value holds one decimal separator"},
                          {',', ",5", 0.5},
                          {',', "1.5", 1.5},
                          {',', ".5", {}, "under this locale (decimal separator \",\") write \"0,5\""},
                          {',', ".5e1", {}, "write \"0,5e1\""},
                          {',', "1.5e308", {}, "write \"1,5e308\""},
                          {',', "1." + zeros, {}, "write \"1," + std::string(58, '0') + "...\" (322 characters)"},
                          {',', "1," + zeros, 1.0},
                          {',', "1.000.5", {}, "does not read as one number"},
                          {',', "1,000,000", {}, "does not read as one number"},
                          {',', "5x", {}, "\"5x\" is not a number (the entry would keep \"5\")"}};
    for (const Case& c : cases) {
        const auto parsed = cli::ParseSelectOptions({"--beam", c.text}, c.decimal);
        test::ModelFixture f(Catalogue{}, c.decimal);
        f.model.TypeText(EntryId::Beam1, c.text);
        const bool keptWhole = f.model.State().Entry(EntryId::Beam1).Text == c.text;
        // What the entry keeps whole but reads as no number ("1,000,000") is refused too.
        EXPECT_EQ(parsed.Ok(), keptWhole && NumberEntry(c.decimal).ConvertsToNumber(c.text))
            << c.decimal << " " << c.text.substr(0, 20);
        EXPECT_EQ(parsed.Ok(), c.value.has_value()) << c.decimal << " " << c.text.substr(0, 20);
        if (parsed.Ok()) {
            EXPECT_EQ(NumberEntry(c.decimal).TextToValue(parsed.Value().values.at(EntryId::Beam1).text), c.value);
        } else {
            EXPECT_EQ(parsed.Failure().code, ErrorCode::BadValue);
            EXPECT_NE(parsed.Failure().message.find(c.refusal), std::string::npos) << parsed.Failure().message;
            EXPECT_LT(parsed.Failure().message.size(), 300u);
        }
    }
}

TEST_F(BadInput, AnEmptyTextWithAUnitIsStillAllowed) {
    const CliRun run = Cli({"select", "--data-dir", TAVRIN_PROGRAM_DIR, "--beam", "5", "--power", "W"});
    EXPECT_EQ(run.status, 2) << run.err;
}

// ---- catalogue values that are not numbers -----------------------------------------

TEST_F(BadInput, SourceValuesThatAreNotNumbersAreRefusedWithTheirLineAndFieldAndNothingIsWritten) {
    using Row = std::pair<std::string, std::string>;  // a source row and the refusal
    const Row heads[] = {
        {"B,,,,,,,4,1,1,nan,1,0,0,1,1,t", "line 3: field PowerMin: \"nan\" is not a finite number"},
        {"B,,,,,,,4,1,1,0,1,inf,0,1,1,t", "line 3: field EnergyMin: \"inf\" is not a finite"},
        {"B,,,,,,,4,1,1,0,1,0,-inf,1,1,t", "line 3: field WaveMin: \"-inf\" is not a finite"},
        {"B,,,,,,,4,1,1,zero,1,0,0,1,1,t", "line 3: field PowerMin: \"zero\" is not a number"},
        {"B,,,,,,,40000,1,1,0,1,0,0,1,1,t", "line 3: field Aperture"},
        {"B,,,,,,,4,1.5,1,0,1,0,0,1,1,t", "line 3: field PowerMax"},
        {"B,,,,,,,4,1,1,0,1,0,0,1,1", "line 3: expected 17 fields"},
        {"\"B,,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: a quoted field is not closed"},
        {",,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field Name: the name is empty"},
        {"\"B\x1b[2J\",,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field Name: holds a control character"},
        {"\"B\rC\",,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field Name: holds a control"},
        {"B,,,,,,,4,1,1,0,1,0,0,1,1,\"t\x1b]0;x\x07\"", "line 3: field HeadType: holds a control"},
        {"B,\"1\xC2\x9B\",,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field ResArdo: holds a control"},
        {"B,,,,,,,zero\x1b[2J,1,1,0,1,0,0,1,1,t", "line 3: field Aperture: \"zero\\x1b[2J\" is not a whole"},
        // A file that is not UTF-8 is told as such, whatever its fields: an
        // overlong "5" would be stored as a plain one, and a spreadsheet's
        // Windows-1252 "\xB5" is no character of UTF-8.
        {"B,,15\xC0\xB5W,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: the file is not UTF-8: byte 0xC0 at column 6"},
        {"B,,15\xB5W,,,,,4,1,1,0,1,0,0,1,1,t",
         "line 3: the file is not UTF-8: byte 0xB5 at column 6 (in Windows-1252, a spreadsheet's usual CSV, it "
         "reads \"\xC2\xB5\"); save the file as UTF-8"},
        {"B,\"\xE4\xB8\xAD\",,,,,,4,1,1,0,1,0,0,1,1,t",
         "line 3: field ResArdo: holds \"\xE4\xB8\xAD\" (U+4E2D), a character that Windows-1252 cannot store"},
        {"B,\"\xE2\x80\xAE\",,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field ResArdo: holds a control character"},
        {std::string(70000, 'N') + ",,,,,,,4,1,1,0,1,0,0,1,1,t", "line 3: field Name: longer than 65535 bytes"},
        {"B,,,,,,," + std::string(70000, '4') + ",1,1,0,1,0,0,1,1,t",
         "line 3: field Aperture: \"" + std::string(60, '4') + "...\" (70000 characters) does not fit"},
        {"B,,,,,,,4,1,1,\"\x1b[2J" + std::string(70000, '0') + "\",1,0,0,1,1,t",
         "line 3: field PowerMin: \"\\x1b[2J" + std::string(56, '0') + "...\" (70004 characters) is not a number"}};
    const Row coatings[] = {{"1,NaN,1,1,1,1,1,1,1,1,1,1,1", "line 2: field 1 s: \"NaN\" is not a finite number"},
                            {"1,1,1,1,1,1,1,1,1,1,1,1,infinity", "line 2: field 1 ps: \"infinity\" is not a"},
                            {"1,1,1,1,1,1,1,1,1,1,1,1,\x80", "line 2: the file is not UTF-8: byte 0x80 at column 25"}};
    const std::string headsCsv = WriteHeadsCsv({test::WideHead("A")});
    const std::string coatingsCsv = WriteCoatingsCsv(test::UniformCoatings(1));
    const std::string coatingsHeader = coatingsCsv.substr(0, coatingsCsv.find('\n') + 1);
    for (const bool inHeads : {true, false}) {
        for (const auto& [row, message] : inHeads ? std::span<const Row>(heads) : std::span<const Row>(coatings)) {
            const fs::path folder = TestFolder();
            test::WriteFile(folder / "heads.csv", inHeads ? headsCsv + row + "\n" : headsCsv);
            test::WriteFile(folder / "coatings.csv", inHeads ? coatingsCsv : coatingsHeader + row + "\n");
            const CliRun run = Cli({"catalogue", "build", folder.string(), (folder / "out").string()});
            EXPECT_EQ(run.status, 1) << row.substr(0, 40);
            // One line, naming the file, with the quoted text escaped and short.
            EXPECT_EQ(run.err.find(folder.string() + (inHeads ? "/heads.csv, " : "/coatings.csv, ") + message), 0u)
                << run.err.substr(0, 400);
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
            EXPECT_LT(run.err.size(), folder.string().size() + 250);
            EXPECT_FALSE(fs::exists(folder / "out" / kHeadsFileName));
        }
    }
}

TEST_F(BadInput, CatalogueCheckReportsWhatTheSearchCannotUse) {
    struct Case {
        std::function<void(std::vector<HeadRecord>&, CoatingTable&)> edit;  // on one head "H"
        const char* finding;
        int status = 1;  // 0 when the finding is only a warning
    };
    using H = std::vector<HeadRecord>&;
    using C = CoatingTable&;
    const Case cases[] = {
        {[](H h, C) { h[0].WaveMax = std::nan(""); }, "error: head \"H\", WaveMax: the limit is not a finite number"},
        {[](H h, C) { h[0].PowerMin = HUGE_VAL; }, "error: head \"H\", PowerMin: the limit is not a finite number"},
        {[](H h, C) { h[0].PowerMax = -1; }, "error: head \"H\", PowerMax: the limit is negative"},
        {[](H h, C) { h[0].WaveMin = 30; }, "error: head \"H\", WaveMin: the shortest wavelength is above the longest"},
        {[](H h, C) { h[0].CoatingNo = 8; }, "error: head \"H\", CoatingNo: 8 is above 7"},
        {[](H h, C) { h[0].CoatingNo = -1; }, "error: head \"H\", CoatingNo: -1 is outside the coating table"},
        {[](H h, C) { h.push_back(h[0]); }, "error: head \"H\", Name: the name is used by more than one head"},
        {[](H h, C) { h[0].Name = "H\x1b]0;x\x07"; },
         "error: head \"H\\x1b]0;x\\x07\", Name: holds a control character"},
        {[](H h, C) { h[0].ResRVX = "1\x1b[2J"; }, "error: head \"H\", ResRVX: holds a control character"},
        {[](H h, C) { h[0].PowerDensityMax = 0; }, "error: head \"H\", PowerDensityMax: the limit is 0"},
        {[](H h, C) { h[0].Aperture = 0; }, "error: head \"H\", Aperture: the limit is 0"},
        {[](H h, C) { h[0].PowerMax = 0; }, "error: head \"H\", PowerMax: the limit is 0"},
        {[](H h, C) { h[0].EnergyMax = 0; }, "error: head \"H\", EnergyMax: the limit is 0"},
        {[](H h, C) { h.clear(); }, "error: Heads.Dat: the catalogue holds no head"},
        {[](H, C c) { c.Set(4, 7, std::nan("")); },
         "error: coating row 4: threshold in column 7 is not a finite number"},
        {[](H, C c) { c.Set(10, 11, -HUGE_VAL); },
         "error: coating row 10: threshold in column 11 is not a finite number"},
        {[](H, C c) { c.Set(2, 0, -1); }, "error: coating row 2: negative threshold in column 0"},
        {[](H, C c) { c.Set(3, 5, 2); }, "warning: coating row 3: the threshold rises from column 4", 0}};
    for (const Case& c : cases) {
        std::vector<HeadRecord> heads = {test::WideHead("H")};
        CoatingTable coatings = test::UniformCoatings(1);
        c.edit(heads, coatings);
        const CliRun run = Cli({"catalogue", "check", FolderWith(heads, coatings).string()});
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.finding), std::string::npos) << run.out;
    }

    // What loading the files hides: each case rewrites the bytes of a good pair.
    struct FileCase {
        std::function<void(std::string&, std::string&)> edit;  // Heads.Dat, Coatings.Dat
        const char* finding;
    };
    using B = std::string&;
    const FileCase files[] = {
        {[](B h, B) { h.resize(h.size() - 10); }, "error: Heads.Dat: the last 66 bytes are not a whole record"},
        {[](B h, B) { h += "abc"; }, "error: Heads.Dat: the last 3 bytes are not a whole record"},
        {[](B h, B) { h = std::string(58 * 1000, '\0'); }, "error: Heads.Dat: 1000 records have an empty name"},
        {[](B h, B) { h = std::string(58 * 1000, '\0'); }, "error: Heads.Dat: the catalogue holds no head"},
        {[](B, B c) { c.clear(); }, "error: Coatings.Dat: the file holds 0 bytes where the table takes 960"},
        {[](B, B c) { c += "x"; }, "error: Coatings.Dat: the file holds 961 bytes"}};
    for (const FileCase& c : files) {
        const fs::path folder = FolderWith({test::WideHead("H"), test::WideHead("I")});
        std::string heads = test::ReadFile(folder / kHeadsFileName);
        std::string coatings = test::ReadFile(folder / kCoatingsFileName);
        c.edit(heads, coatings);
        test::WriteFile(folder / kHeadsFileName, heads);
        test::WriteFile(folder / kCoatingsFileName, coatings);
        const CliRun run = Cli({"catalogue", "check", folder.string()});
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_NE(run.out.find(c.finding), std::string::npos) << run.out;
    }
}

// Building from the source refuses each error the check finds in a catalogue,
// with the line and field of the source and the check's own words.
TEST_F(BadInput, BuildRefusesWhatTheCheckCallsAnErrorInTheSameWords) {
    using H = std::vector<HeadRecord>&;
    using C = CoatingTable&;
    struct Case {
        std::function<void(H, C)> edit;  // on heads "H" and "I"
        int line;                        // of the source the build names
        const char* field;               // as the build names it, or "" for the whole file
    };
    const Case cases[] = {{[](H h, C) { h[0].PowerMax = -1; }, 2, "PowerMax"},
                          {[](H h, C) { h[1].PowerMin = -0.5; }, 3, "PowerMin"},
                          {[](H h, C) { h[0].Aperture = 0; }, 2, "Aperture"},
                          {[](H h, C) { h[1].EnergyMax = 0; }, 3, "EnergyMax"},
                          {[](H h, C) { h[0].WaveMin = 30; }, 2, "WaveMin"},
                          {[](H h, C) { h[0].CoatingNo = -1; }, 2, "CoatingNo"},
                          {[](H h, C) { h[0].CoatingNo = 99; }, 2, "CoatingNo"},
                          {[](H h, C) { h[1].CoatingNo = 32767; }, 3, "CoatingNo"},
                          {[](H h, C) { h[1].CoatingNo = 8; }, 3, "CoatingNo"},
                          {[](H h, C) { h[1].Name = "H"; }, 3, "Name"},
                          {[](H h, C) { h.clear(); }, 1, ""},
                          {[](H, C c) { c.Set(2, 0, -1); }, 3, "1 s"},
                          {[](H, C c) { c.Set(10, 11, -2); }, 11, "1 ps"}};
    for (const Case& c : cases) {
        std::vector<HeadRecord> heads = {test::WideHead("H"), test::WideHead("I")};
        CoatingTable coatings = test::UniformCoatings(1);
        c.edit(heads, coatings);
        const CliRun checked = Cli({"catalogue", "check", FolderWith(heads, coatings).string()});
        const std::size_t error = checked.out.find("error: ");
        ASSERT_NE(error, std::string::npos) << checked.out;
        // "error: [head "H", ]FIELD: TEXT"
        std::string finding = checked.out.substr(error + 7, checked.out.find('\n', error) - error - 7);
        if (finding.starts_with("head \"")) {
            finding.erase(0, finding.find("\", ") + 3);
        }
        const std::string text = finding.substr(finding.find(": ") + 2);

        const fs::path folder = TestFolder();
        test::WriteFile(folder / "heads.csv", WriteHeadsCsv(heads));
        test::WriteFile(folder / "coatings.csv", WriteCoatingsCsv(coatings));
        const CliRun built = Cli({"catalogue", "build", folder.string(), (folder / "out").string()});
        EXPECT_EQ(built.status, 1) << finding;
        const std::string field = *c.field != '\0' ? "field " + std::string(c.field) + ": " : "";
        EXPECT_NE(built.err.find("line " + std::to_string(c.line) + ": " + field + text), std::string::npos)
            << built.err << " for " << finding;
        EXPECT_FALSE(fs::exists(folder / "out"));
    }
}

// ---- control characters in head names -------------------------------------------

TEST_F(BadInput, ControlCharactersInHeadNamesNeverReachTheTerminalOrTheReport) {
    struct Case {
        std::string name;
        std::string escaped;   // text output and --explain
        std::string replaced;  // report file
    };
    const Case cases[] = {
        {"A\x1b[2JB", "A\\x1b[2JB", "A?[2JB"},
        {"A\rPRODUCTS FOUND:", "A\\x0dPRODUCTS FOUND:", "A?PRODUCTS FOUND:"},
        {"T\x7f\xc2\x81", "T\\x7f\\u0081", "T??"},
        // each end of the two ranges, and their neighbours that are no controls
        {"U\x1f ~\xc2\x9d\xc2\xa0\xc3\x80", "U\\x1f ~\\u009d\xc2\xa0\xc3\x80", "U? ~?\xc2\xa0\xc3\x80"}};
    for (const Case& c : cases) {
        const fs::path folder = FolderWith({test::WideHead(c.name)});
        const fs::path report = folder / "report.txt";
        const std::vector<std::string> laser = {"select",       "--data-dir", folder.string(), "--beam", "5",
                                                "--wavelength", "1064nm",     "--power",       "10"};
        auto kept = laser;
        kept.insert(kept.end(), {"--report", report.string()});
        const CliRun found = Cli(kept);
        ASSERT_EQ(found.status, 0) << found.err;
        EXPECT_NE(found.out.find(c.escaped + " "), std::string::npos) << found.out;
        EXPECT_NE(test::ReadFile(report).find(c.replaced + " "), std::string::npos);

        auto rejected = laser;
        rejected.insert(rejected.end(), {"--power", "20kW", "--explain"});
        const CliRun explained = Cli(rejected);
        EXPECT_NE(explained.out.find(c.escaped + ": max power"), std::string::npos) << explained.out;

        // The batch's CSV escapes as the text does, and stays one line a head.
        test::WriteFile(folder / "lasers.csv", "beam,wavelength,power\n5,1064nm,10\n");
        const CliRun batch =
            Cli({"select", "--data-dir", folder.string(), "--batch", (folder / "lasers.csv").string()});
        ASSERT_EQ(batch.status, 0) << batch.err;
        EXPECT_EQ(batch.out.substr(batch.out.find('\n') + 1), "1,found," + c.escaped + ",<5 %\n");

        for (const std::string& out : {found.out, explained.out, batch.out}) {
            for (const char ch : out) {
                EXPECT_TRUE(ch == '\n' || static_cast<unsigned char>(ch) >= 0x20) << static_cast<int>(ch);
            }
        }
    }
}

// The ends of the C0, DEL and C1 ranges, beside their neighbours that are text
// (a catalogue cannot hold every C1 character, so they are checked here).
TEST(ControlCharacters, EscapeAndReplaceExactlyTheControls) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {std::string("\0\x1f \x7e\x7f", 5), "\\x00\\x1f ~\\x7f", "?? ~?"},
        {"\xc2\x80\xc2\x9f\xc2\xa0\xc3\x80", "\\u0080\\u009f\xc2\xa0\xc3\x80", "??\xc2\xa0\xc3\x80"},
        // the bidirectional controls, at the ends of their runs, beside their neighbours
        {"\u061b\u061c\u061d\u200d\u200e\u200f\u2010", "\u061b\\u061c\u061d\u200d\\u200e\\u200f\u2010",
         "\u061b?\u061d\u200d??\u2010"},
        {"\u2029\u202a\u202e\u202f\u2065\u2066\u2069\u206a", "\u2029\\u202a\\u202e\u202f\u2065\\u2066\\u2069\u206a",
         "\u2029??\u202f\u2065??\u206a"},
        // bytes that are not UTF-8: a cut sequence, a stray continuation, an overlong form
        {"\xc2", "\\xc2", "?"},
        {"a\xc2\x7f\xbfz\xc0\xb5", "a\\xc2\\x7f\\xbfz\\xc0\\xb5", "a???z??"}};
    for (const auto& [text, escaped, replaced] : cases) {
        EXPECT_EQ(EscapeControlCharacters(text), escaped) << escaped;
        EXPECT_EQ(ReplaceControlCharacters(text), replaced) << escaped;
        EXPECT_EQ(HasControlCharacter(text), escaped != text) << escaped;
    }
    // A quoted text is escaped and cut after 60 characters, counted as characters.
    const std::pair<std::string, std::string> quoted[] = {
        {std::string(60, 'x'), "\"" + std::string(60, 'x') + "\""},
        {std::string(61, 'x'), "\"" + std::string(60, 'x') + "...\" (61 characters)"},
        {"\x1b\xb5" + std::string(58, 'x'), "\"\\x1b\\xb5" + std::string(58, 'x') + "\""},
        {std::string(30, 'a') + "\u00b5\u202e" + std::string(40, 'b'),
         "\"" + std::string(30, 'a') + "\u00b5\\u202e" + std::string(28, 'b') + "...\" (72 characters)"}};
    for (const auto& [text, expected] : quoted) {
        EXPECT_EQ(QuotedForMessage(text), expected);
    }
}

// Paths and quoted texts from the command line reach standard error escaped:
// no control character, no bidirectional control, no line break of their own.
TEST_F(BadInput, PathsAndTextsOnStandardErrorAreEscaped) {
    const std::string hostile = "\x1b[31mred\nx\a\u202eevil\u2066";
    const std::string escaped = "\\x1b[31mred\\x0ax\\x07\\u202eevil\\u2066";
    const std::string program = TAVRIN_PROGRAM_DIR;
    const std::vector<std::string> commands[] = {
        {"select", "--data-dir", program, "--beam", "5", "--report", "/nonexistent/" + hostile + ".txt"},
        {"select", "--data-dir", program, "--beam", "5" + hostile},
        {"select", "--data-dir", program, "--batch", "/nonexistent/" + hostile},
        {"select", "--" + hostile},
        {"select", "--profile", hostile},
        {"catalogue", "build", TAVRIN_DATA_DIR, "/proc/" + hostile},
        {"catalogue", "build", "/nonexistent/" + hostile, "/tmp"},
        {"catalogue", "dump", program, "--out", "/proc/" + hostile},
        {"catalogue", "synth", hostile, "/tmp"}};
    for (const auto& command : commands) {
        const CliRun run = Cli(command);
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.err.find(escaped), std::string::npos) << run.err;
        std::string lines = run.err;
        std::replace(lines.begin(), lines.end(), '\n', ' ');
        EXPECT_EQ(EscapeControlCharacters(lines), lines) << run.err;
    }
}

// ---- output that cannot be written ----------------------------------------------

TEST_F(BadInput, LostOutputEndsWithStatus74AndTheReason) {
    struct Case {
        std::vector<std::string> command;
        bool stdoutFails;
        const char* message;
    };
    const std::string program = TAVRIN_PROGRAM_DIR;
    const std::string missing = (TestFolder() / "missing" / "report.txt").string();
    const Case cases[] = {{{"select", "--data-dir", program, "--beam", "5", "--power", "10"}, true, "standard output"},
                          {{"select", "--data-dir", program, "--beam", "5", "--json"}, true, "standard output"},
                          {{"select", "--help"}, true, "standard output"},
                          {{"catalogue", "dump", program}, true, "standard output"},
                          {{"catalogue", "check", program}, true, "standard output"},
                          {{"select", "--data-dir", program, "--beam", "5", "--report", missing},
                           false,
                           "report.txt could not be written: No such file or directory"},
                          {{"select", "--data-dir", program, "--beam", "5", "--report", "/dev/full"},
                           false,
                           "/dev/full could not be written completely: No space left on device"},
                          {{"catalogue", "dump", program, "--out", "/dev/full"}, false, "/dev/full is not a folder"},
                          {{"catalogue", "build", TAVRIN_DATA_DIR, "/dev/full"}, false, "/dev/full is not a folder"}};
    for (const Case& c : cases) {
        FailingBuffer failing;
        std::ostream broken(&failing);
        const CliRun run = Cli(c.command, c.stdoutFails ? &broken : nullptr);
        EXPECT_EQ(run.status, 74) << c.command[1];
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

// A file past the size limit (ulimit -f) is a failed write too, not a
// process killed with its temporaries and lock file left behind.
TEST_F(BadInput, AProcessWritingToAFullDiskOrPastTheFileSizeLimitExitsWith74) {
    const std::string program = TAVRIN_PROGRAM_DIR;
    const fs::path folder = TestFolder();
    const std::string into = (folder / "out").string();
    const char* const limited = "ulimit -f 1; ";
    const std::tuple<const char*, std::string> cases[] = {
        {"", "catalogue dump " + program + " >/dev/full"},
        {limited,
         "select --data-dir " + program + " --beam 5 --wavelength 1064nm --power 100 --report " + into + " >/dev/null"},
        {limited, "catalogue synth 20000 " + into},
        {limited, "catalogue dump " + program + " --out " + into}};
    for (const auto& [shell, arguments] : cases) {
        EXPECT_EQ(Program(arguments, shell).status, 74) << arguments;
        EXPECT_TRUE(fs::is_empty(folder)) << arguments;
    }
}

// ---- where users stumble ----------------------------------------------------------

// An empty folder would be the current one: nothing is read or written there.
TEST_F(BadInput, CatalogueCommandsRefuseEmptyOperandsAndCountsTheyCannotMake) {
    const fs::path folder = TestFolder();
    const fs::path shipped = TAVRIN_PROGRAM_DIR;
    const fs::path sources = TAVRIN_DATA_DIR;
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"synth", "10000001", folder}, "10000001 heads are more than synth makes (at most 10000000)"},
        {{"synth", "18446744073709551616", folder}, "\"18446744073709551616\" is not a number of heads"},
        {{"synth", "-1", folder}, "\"-1\" is not a number of heads"},
        {{"synth", "", folder}, "N needs a value: the text given is empty"},
        {{"synth", "5", ""}, "DIR needs a value: the text given is empty"},
        {{"build", "", folder}, "SOURCE_DIR needs a value: the text given is empty"},
        {{"build", sources, ""}, "OUT_DIR needs a value: the text given is empty"},
        {{"dump", ""}, "DIR needs a value: the text given is empty"},
        {{"dump", shipped, "--out", ""}, "--out needs a value: the text given is empty"},
        {{"check", ""}, "DIR needs a value: the text given is empty"}};
    for (const auto& [args, message] : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::RunCatalogueCommand(args, out, err), 64) << message;
        EXPECT_EQ(err.str().rfind(message + "\n", 0), 0u) << err.str();
        EXPECT_EQ(out.str(), "");
        EXPECT_TRUE(fs::is_empty(folder)) << message;
    }
    fs::current_path(before);
}

TEST_F(BadInput, VersionAndHelpExitZero) {
    for (const char* flag : {"--version", "-V"}) {
        const CliRun run = Program(flag);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, std::string("cv-tavrin-cli ") + kVersion + "\n");
    }
    for (const char* help : {"--help", "select --help", "catalogue --help", "catalogue -h", "catalogue build --help"}) {
        const CliRun run = Program(help);
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.out.find("usage: cv-tavrin-cli"), 0u) << help;
    }
}

}  // namespace
}  // namespace tavrin
