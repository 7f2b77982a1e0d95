#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "catalogue/catalogue_csv.h"
#include "catalogue/csv.h"
#include "catalogue/head_catalogue.h"
#include "catalogue_command.h"
#include "select_command.h"
#include "select_options.h"
#include "test_support.h"

namespace tavrin {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// `select` on a catalogue folder; `terminal`: standard error is one.
CliRun Select(std::vector<std::string> args, const std::string& dataDir = TAVRIN_PROGRAM_DIR, bool terminal = false) {
    args.insert(args.begin(), {"--data-dir", dataDir});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunSelectCommand(args, out, err, terminal);
    return {status, out.str(), err.str()};
}

class SelectCommand : public testing::Test {
protected:
    test::LocaleEnvironment m_locale;
};

TEST_F(SelectCommand, UsageErrorsAreRefusedWithTheReason) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--colour", "red"}, "unknown option"},
        {{"--beam"}, "--beam needs a value"},
        {{"--single"}, "--single needs --pulsed"},
        {{"--width", "3"}, "--width: the entry is hidden"},
        {{"--energy", "3mJ"}, "--energy: the unit list is hidden"},
        {{"--energy", "3"}, "--energy: the entry is hidden"},
        {{"--pulsed", "--rate", "5Single"}, "\"Single\" is not an item"},
        {{"--pulsed", "--single", "--power", "W"}, "--power: the unit list is disabled"},
        {{"--pulsed", "--single", "--power", "5"}, "--power: the entry is disabled"},
        {{"--pulsed", "--single", "--rate", "5"}, "a single pulse has no rate"},
        {{"--pulsed", "--single", "--rate", "1kHz"}, "a single pulse has no rate"},
        {{"--profile", "0.99"}, "--profile \"0.99\": give uniform, gaussian or a measured peak-to-mean factor"},
        {{"--profile", "Gaussian"}, "--profile \"Gaussian\""},
        {{"--profile", "2x"}, "--profile \"2x\""},
        {{"--profile"}, "--profile needs a value"},
        {{"--report", ""}, "--report needs a value: the text given is empty"},
        {{"--batch", ""}, "--batch needs a value: the text given is empty"},
        {{"--beam", "5", "--data-dir="}, "--data-dir needs a value: the text given is empty"},
        {{"--max-share", "0"}, "--max-share \"0\": give a percentage above 0 and at most 100"},
        {{"--max-share", "100.1%"}, "--max-share \"100.1%\""},
        {{"--max-share", "%"}, "--max-share \"%\""},
        {{"--threshold", "strict"}, "--threshold \"strict\": give as-listed or conservative"},
        {{"--batch", "-", "--max-share", "50"}, "come from the file's max-share and threshold columns"}};
    for (const auto& [args, reason] : cases) {
        const CliRun run = Select(args);
        EXPECT_EQ(run.status, 64);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("usage: cv-tavrin-cli select"), std::string::npos);
    }
}

// The bash completion offers each entry's units as the unit lists hold them.
TEST_F(SelectCommand, TheCompletionOffersTheUnitLists) {
    const std::string completion =
        test::ReadFile(std::filesystem::path(TAVRIN_DATA_DIR) / "cv-tavrin-cli.bash-completion");
    const LaserInputState fresh;  // its rate list holds "Single" as well
    for (const cli::ValueOption& option : cli::ValueOptions()) {
        if (UnitListOf(option.entry) == nullptr) {
            continue;
        }
        std::string units;
        for (const std::string& unit : fresh.Entry(option.entry).Units) {
            units += (units.empty() ? "" : " ") + unit;
        }
        const std::string line = std::string(option.name) + ") units=\"" + units + "\" ;;";
        EXPECT_NE(completion.find(line), std::string::npos) << line;
    }
}

nlohmann::ordered_json Json(const CliRun& run) {
    return nlohmann::ordered_json::parse(run.out);
}

TEST_F(SelectCommand, ReplaysInTheWindowsOrder) {
    const CliRun run = Select({"--pulsed", "--json", "--beam", "8", "--wavelength", "1064nm", "--power", "5W",
                               "--energy", "10mJ", "--rate", "1kHz", "--pulse-width", "10ns"});
    const auto json = Json(run);
    EXPECT_EQ(json["entries"]["MaxPower"], nlohmann::ordered_json::array({"10", "W"}));
    EXPECT_EQ(json["entries"]["MaxEnergy"], nlohmann::ordered_json::array({"10", "mJ"}));
    EXPECT_EQ(json["entries"]["PulseWidth"], nlohmann::ordered_json::array({"10", "ns"}));
    EXPECT_EQ(json["values"]["AveragePower"].get<double>(), 10);
    EXPECT_EQ(json["status"], "found");
    EXPECT_EQ(run.status, 0);
}

TEST_F(SelectCommand, JsonHasTheAgreedShape) {
    const auto json = Json(Select({"--json", "--beam", "5", "--wavelength", "1064nm", "--power", "100W"}));
    std::vector<std::string> keys;
    for (const auto& [key, value] : json.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"entries", "labels", "values", "messages", "status", "heads", "request"}));
    EXPECT_EQ(json["labels"].size(), 12u);
    EXPECT_EQ(json["labels"]["lblVArea"], " 19.6");
    EXPECT_EQ(json["values"].size(), 7u);
    EXPECT_DOUBLE_EQ(json["values"]["BeamArea"].get<double>(), 0.1963495);
    ASSERT_FALSE(json["heads"].empty());
    const auto& head = json["heads"][0];
    EXPECT_TRUE(head["index"].is_number_integer());
    EXPECT_EQ(head["resolutions"].size(), 6u);
    EXPECT_TRUE(json["request"].is_null());

    const auto none = Json(Select({"--json", "--beam", "5", "--wavelength", "1064nm", "--power", "30kW"}));
    EXPECT_EQ(none["status"], "none");
    EXPECT_TRUE(none["heads"].empty());
    EXPECT_NE(none["request"].get<std::string>().find("5 - Additional Information :"), std::string::npos);

    const auto invalid = Json(Select({"--json", "--beam", "5"}));
    EXPECT_EQ(invalid["status"], "invalid");
    ASSERT_EQ(invalid["messages"].size(), 1u);
    EXPECT_EQ(invalid["messages"][0]["title"], "Info");
}

// --details adds one key, or one section, and changes nothing else.
TEST_F(SelectCommand, DetailsAddOnlyTheirOwnPart) {
    const std::vector<std::string> laser = {"--beam", "2", "--wavelength", "1064nm", "--power", "500W"};
    auto json = laser;
    json.push_back("--json");
    auto detailed = json;
    detailed.push_back("--details");
    auto withDetails = Json(Select(detailed));
    std::vector<std::string> keys;
    for (const auto& [key, value] : withDetails["details"].items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"operating_point", "heads", "curves", "rejected"}));
    EXPECT_TRUE(withDetails["details"]["operating_point"]["pulse_width_s"].is_null());
    withDetails.erase("details");
    EXPECT_EQ(withDetails, Json(Select(json)));
    auto text = laser;
    text.push_back("--details");
    const std::string plain = Select(laser).out;
    const std::string more = Select(text).out;
    EXPECT_EQ(more.substr(0, plain.size()), plain);
    EXPECT_NE(more.find("fits with a beam of 3.3 mm"), std::string::npos) << more;
}

// A beam beyond what the scan for a fitting beam represents gets no larger
// suggestion, and never a negative one.
TEST_F(SelectCommand, DetailsSuggestOnlyBeamsTheScanRepresents) {
    for (const char* beam : {"9.3e17", "1e18", "1e30"}) {
        const auto json = Json(Select({"--beam", beam, "--wavelength", "1064nm", "--power", "100W", "--json",
                                       "--details"}))["details"]["rejected"];
        ASSERT_FALSE(json.empty()) << beam;
        for (const auto& head : json) {
            const auto& fit = head["fits_with_beam_mm"];
            EXPECT_TRUE(fit.is_null() || (fit.get<double>() > 0 && fit.get<double>() <= 1e6)) << beam << fit;
        }
    }
}

TEST_F(SelectCommand, DecimalSeparatorFollowsTheLocale) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    const auto comma = Json(Select({"--json", "--beam", "2.5", "--wavelength", "1064nm", "--power", "100W"}));
    EXPECT_EQ(comma["labels"]["lblVArea"], " 4,9");
    setenv("LC_ALL", "", 1);
    setenv("LC_NUMERIC", "en_GB.UTF-8", 1);
    setenv("LANG", "fr_FR.UTF-8", 1);
    const auto point = Json(Select({"--json", "--beam", "2,5", "--wavelength", "1064nm", "--power", "100W"}));
    EXPECT_EQ(point["labels"]["lblVArea"], " 4.9");
    unsetenv("LC_NUMERIC");
}

TEST_F(SelectCommand, ReportIsWrittenWheneverExploreRan) {
    const auto folder = test::FreshFolder("cli-report");
    const CliRun run = Select({"--beam", "5", "--report", (folder / "r.txt").string()});
    EXPECT_EQ(run.status, 2);
    const std::string report = test::ReadFile(folder / "r.txt");
    EXPECT_EQ(report.rfind("\r\nCORVANE TAVRIN\r\n", 0), 0u);
}

// A catalogue where head n fails exactly criterion n for a pulsed 10 mm, 1 J, 1 Hz, 1 ms laser at 1064 nm.
std::string ExplainCatalogue() {
    std::vector<HeadRecord> heads;
    const auto add = [&heads](const std::string& name, const std::function<void(HeadRecord&)>& edit) {
        HeadRecord head = test::WideHead(name);
        edit(head);
        heads.push_back(head);
    };
    add("c1", [](HeadRecord& h) { h.PowerMax = 0; });
    add("c2", [](HeadRecord& h) { h.Aperture = 11; });
    add("c3", [](HeadRecord& h) { h.PowerDensityMax = 1; });
    add("c4", [](HeadRecord& h) { h.PowerMin = 2; });
    add("c5", [](HeadRecord& h) { h.EnergyMax = 0; });
    add("c6", [](HeadRecord& h) { h.EnergyMin = 2; });
    add("c7", [](HeadRecord& h) { h.WaveMax = 1; });
    add("c8", [](HeadRecord& h) { h.CoatingNo = 2; });
    add("c9", [](HeadRecord& h) { h.HeadType = "Probe"; });
    // a hostile catalogue's limits that are no numbers
    add("c10", [](HeadRecord& h) { h.PowerMin = std::numeric_limits<double>::infinity(); });
    add("c11", [](HeadRecord& h) { h.EnergyMin = std::numeric_limits<double>::infinity(); });
    add("c12", [](HeadRecord& h) {
        h.WaveMin = std::numeric_limits<double>::quiet_NaN();
        h.WaveMax = 1;
    });
    const auto folder = test::FreshFolder("cli-explain");
    test::WriteFile(folder / "Heads.Dat", SerializeHeads(heads).Value());
    CoatingTable coatings = test::UniformCoatings(100);
    for (int column = 0; column < 12; ++column) {
        coatings.Set(2, column, 0.5);
    }
    test::WriteFile(folder / "Coatings.Dat", SerializeCoatings(coatings));
    return folder.string();
}

TEST_F(SelectCommand, ExplainNamesTheFirstFailingCriterion) {
    const std::string folder = ExplainCatalogue();
    const std::vector<std::string> laser = {"--pulsed", "--beam",        "10",  "--wavelength", "1064nm", "--energy",
                                            "1J",       "--pulse-width", "1ms", "--explain"};
    auto withRate = laser;
    withRate.insert(withRate.end(), {"--rate", "1Hz"});
    const CliRun repetitive = Select(withRate, folder);
    auto single = laser;
    single.insert(single.begin() + 1, "--single");
    const CliRun singlePulse = Select(single, folder);

    const std::string expected[] = {"c1: max power 0 W < average power 1 W",
                                    "c2: aperture 11 mm < 1.16 \u00D7 beam 10 mm",
                                    "c3: max power density 1 W/cm2 < power density 1.27324 W/cm2",
                                    "c4: min power 2 W > average power 1 W",
                                    "c5: max energy 0 J < pulse energy 1 J",
                                    "c7: wavelength 1.064 um outside 0.1 to 1 um",
                                    "c8: damage threshold 0.5 J/cm2 (coating row 2) < energy density 1.27324 J/cm2",
                                    "c9: type \"Probe\" does not match the product type",
                                    "c10: min power n/a W > average power 1 W",
                                    "c12: wavelength 1.064 um outside n/a to 1 um"};
    for (const std::string& line : expected) {
        EXPECT_NE(repetitive.out.find(line + "\n"), std::string::npos) << line << "\n" << repetitive.out;
    }
    EXPECT_NE(repetitive.out.find("c6  "), std::string::npos) << "c6 is kept with a rate";
    EXPECT_NE(singlePulse.out.find("c6: min energy 2 J > pulse energy 1 J\n"), std::string::npos) << singlePulse.out;
    EXPECT_NE(singlePulse.out.find("c11: min energy n/a J > pulse energy 1 J\n"), std::string::npos) << singlePulse.out;
    for (const std::string& out : {repetitive.out, singlePulse.out}) {
        for (const char* notANumber : {" nan ", " inf ", " -inf "}) {
            EXPECT_EQ(out.find(notANumber), std::string::npos) << out;
        }
    }
}

// The sources as a spreadsheet saves them: a byte-order mark and CR LF line ends.
TEST(CatalogueCommand, BuildThenDumpGivesTheSourcesBack) {
    const auto folder = test::FreshFolder("cli-catalogue");
    for (const char* name : {"heads.csv", "coatings.csv"}) {
        std::string saved = "\xEF\xBB\xBF";
        for (const char c : test::ReadFile(std::filesystem::path(TAVRIN_DATA_DIR) / name)) {
            saved += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
        test::WriteFile(folder / "spreadsheet" / name, saved);
    }
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::RunCatalogueCommand({"build", (folder / "spreadsheet").string(), folder.string()}, out, err), 0)
        << err.str();
    EXPECT_EQ(test::ReadFile(folder / "Heads.Dat"),
              test::ReadFile(std::filesystem::path(TAVRIN_PROGRAM_DIR) / "Heads.Dat"));
    ASSERT_EQ(cli::RunCatalogueCommand({"dump", folder.string(), "--out", (folder / "src").string()}, out, err), 0);
    EXPECT_EQ(test::ReadFile(folder / "src" / "heads.csv"),
              test::ReadFile(std::filesystem::path(TAVRIN_DATA_DIR) / "heads.csv"));
    EXPECT_EQ(test::ReadFile(folder / "src" / "coatings.csv"),
              test::ReadFile(std::filesystem::path(TAVRIN_DATA_DIR) / "coatings.csv"));
    std::ostringstream checked;
    EXPECT_EQ(cli::RunCatalogueCommand({"check", folder.string()}, checked, err), 0) << checked.str();
}

// ---- select --batch: every row is exactly what a single select gives ----------

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class Batch : public testing::Test {
protected:
    void SetUp() override { folder = test::FreshFolder(testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string File(const std::string& text) {
        test::WriteFile(folder / "lasers.csv", text);
        return (folder / "lasers.csv").string();
    }
    std::filesystem::path folder;
    test::LocaleEnvironment m_locale;
};

// A row per mode, with a refused row in the middle; each JSON line is the
// single run's object plus "row" and "exit".
// A profile that is not flat adds what the absorber's centre sees; a
// uniform one leaves the output as it always was.
TEST_F(SelectCommand, AProfileAddsThePeakToTheOutput) {
    const std::vector<std::string> laser = {"--beam",  "5",    "--wavelength", "1064nm",
                                            "--power", "100W", "--json",       "--details"};
    const auto uniform = Json(Select(laser));
    EXPECT_FALSE(uniform.contains("profile"));
    EXPECT_FALSE(uniform["details"]["heads"][0].contains("aperture_power_fraction"));
    auto gaussianArgs = laser;
    gaussianArgs.insert(gaussianArgs.end(), {"--profile", "gaussian"});
    const auto gaussian = Json(Select(gaussianArgs));
    const auto& profile = gaussian["profile"];
    EXPECT_EQ(profile["kind"], "gaussian");
    EXPECT_EQ(profile["factor"], 2.0);
    EXPECT_EQ(profile["power_density_peak"], 2 * gaussian["values"]["PowerDensity"].get<double>());
    EXPECT_EQ(profile["energy_density_peak"], 0.0);
    // 5 mm through a 30 mm aperture loses nothing worth telling.
    for (const auto& head : gaussian["details"]["heads"]) {
        EXPECT_GT(head["aperture_power_fraction"].get<double>(), 0.99) << head["name"];
    }
    auto measuredArgs = laser;
    measuredArgs.insert(measuredArgs.end(), {"--profile", "1,5"});
    const auto measured = Json(Select(measuredArgs));
    EXPECT_EQ(measured["profile"]["kind"], "measured");
    EXPECT_EQ(measured["profile"]["factor"], 1.5);
    EXPECT_TRUE(measured["details"]["heads"][0]["aperture_power_fraction"].is_null());
}

// The exit status tells the outcome, near the largest double too: what the
// search can compare runs, what it cannot is incomplete data, and no number
// is written out in hundreds of digits. A Gaussian beam's share through each
// aperture is a share, however thin the beam.
TEST_F(SelectCommand, ExitStatusesTellTheOutcomeEvenNearTheLargestNumber) {
    struct Case {
        std::vector<std::string> args;  // --wavelength 1064nm follows, but for "no wavelength"
        int status;
        std::vector<const char*> shown{};  // in the text output
    };
    const Case cases[] = {
        {{"--beam", "5", "--power", "100W"}, 0},
        {{"--beam", "5", "--power", "30kW"}, 1},
        {{"--beam", "5", "--power", "100W", "no wavelength"}, 2},
        // The diagonal of a rectangle is found without squaring its sides:
        // no head is that wide.
        {{"--rect", "--beam", "2e154", "--width", "1", "--power", "100W"}, 1, {" Area 2e154 mm2", "     Area 2e154"}},
        {{"--rect", "--beam", "1e150", "--width", "1e150", "--power", "100W"}, 1, {" Area 1e300 mm2"}},
        {{"--rect", "--beam", "1.6e308", "--width", "1e-300", "--power", "100W"}, 2, {"beam size cannot be computed"}},
        {{"--beam", "5", "--power", "100W", "--profile", "1e308"},
         2,
         {"Power Density at centre (\u00D71e308): cannot be computed", "Info: Sorry, the power density cannot"}},
        {{"--beam", "5", "--power", "100W", "--profile", "1e300"}, 1, {"centre (\u00D71e300) 5.093e299 kW/cm2"}},
        {{"--pulsed", "--beam", "5", "--energy", "1J", "--rate", "1Hz", "--pulse-width", "10ns", "--profile", "1e308"},
         2,
         {"Sorry, the energy density cannot be computed"}},
        {{"--rect", "--beam", "5", "--width", "1e-6", "--power", "100W", "--profile", "gaussian"}, 1},
        {{"--rect", "--beam", "1e-200", "--width", "5", "--power", "100W", "--profile", "gaussian"}, 1},
        {{"--beam", "1e-150", "--power", "100W", "--profile", "gaussian"}, 1},
        {{"--beam", "5", "--power", "1e300W"}, 1, {" Avg. Power 1e297 kW", "     Max Power 1e300 W"}},
    };
    const auto folder = test::FreshFolder("cli-largest");
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        if (args.back() == "no wavelength") {
            args.pop_back();
        } else {
            args.insert(args.end(), {"--wavelength", "1064nm"});
        }
        const std::string what = testing::PrintToString(args);
        const CliRun run = Select(args);
        EXPECT_EQ(run.status, c.status) << what << run.out;
        for (const char* text : c.shown) {
            EXPECT_NE(run.out.find(text), std::string::npos) << what << "\n" << run.out;
        }
        // Neither in the text, nor in the JSON's labels and request, nor in the report.
        auto everyForm = args;
        everyForm.insert(everyForm.end(), {"--report", (folder / "report.txt").string()});
        everyForm.push_back("--json");
        const std::string json = Select(everyForm).out;
        for (const std::string& shown : {run.out, json, test::ReadFile(folder / "report.txt")}) {
            EXPECT_EQ(shown.find("0000000000000000"), std::string::npos) << what << "\n" << shown;
        }
        if (std::find(args.begin(), args.end(), "gaussian") == args.end()) {
            continue;
        }
        args.insert(args.end(), {"--json", "--details"});
        const auto details = Json(Select(args))["details"];
        std::vector<nlohmann::ordered_json> heads(details["heads"].begin(), details["heads"].end());
        heads.insert(heads.end(), details["rejected"].begin(), details["rejected"].end());
        ASSERT_FALSE(heads.empty()) << what;
        for (const auto& head : heads) {
            const auto& fraction = head["aperture_power_fraction"];
            ASSERT_TRUE(fraction.is_number()) << what << head;
            EXPECT_GE(fraction.get<double>(), 0) << what;
            EXPECT_LE(fraction.get<double>(), 1) << what;
        }
    }
}

TEST_F(Batch, RowsEqualSingleRuns) {
    const std::vector<std::vector<std::string>> lasers = {
        {"--beam", "5", "--wavelength", "1064nm", "--power", "100W"},
        {"--pulsed", "--beam", "8", "--wavelength", "1064nm", "--energy", "10mJ", "--rate", "1kHz", "--pulse-width",
         "10ns"},
        {"--beam", "5", "--power", "10MW"},
        {"--pulsed", "--single", "--beam", "10", "--wavelength", "532nm", "--energy", "50mJ", "--pulse-width", "5ns"},
        {"--rect", "--beam", "3", "--width", "4", "--wavelength", "10.6um", "--power", "30kW"},
        {"--probe", "--beam", "5", "--wavelength", "1064nm", "--power", "100W"},
        {"--beam", "5"},
        {"--beam", "5", "--wavelength", "1064nm", "--power", "100W", "--profile", "gaussian"},
        {"--rect", "--beam", "3", "--width", "4", "--wavelength", "1064nm", "--power", "1kW", "--profile", "1.5"}};
    const std::string file = File(
        "beam,width,wavelength,power,energy,rate,pulse-width,pulsed,rect,single,probe,profile\r\n"
        "5,,1064nm,100W,,,,,,,,\r\n"
        "8,,1064nm,,10mJ,1kHz,10ns,yes,,,,uniform\r\n"
        "5,,,10MW,,,,,,,,\r\n"
        "10,,532nm,,50mJ,,5ns,TRUE,no,1,0,\r\n"
        "3,4,10.6um,30kW,,,,false,yes,,,\r\n"
        "5,,1064nm,100W,,,,,,,true,\r\n"
        "5,,,,,,,,,,,\r\n"
        "5,,1064nm,100W,,,,,,,,gaussian\r\n"
        "3,4,1064nm,1kW,,,,,yes,,,1.5\r\n");
    const CliRun batch = Select({"--batch", file, "--json", "--details"});
    EXPECT_EQ(batch.status, 65);
    const auto lines = Lines(batch.out);
    ASSERT_EQ(lines.size(), lasers.size());
    for (std::size_t i = 0; i < lasers.size(); ++i) {
        auto args = lasers[i];
        args.insert(args.end(), {"--json", "--details"});
        const CliRun single = Select(args);
        auto row = nlohmann::ordered_json::parse(lines[i]);
        EXPECT_EQ(row["row"], i + 1);
        EXPECT_EQ(row["exit"], single.status) << i + 1;
        if (single.status == 64) {
            EXPECT_EQ(row["error"].get<std::string>() + "\n", single.err) << i + 1;
            EXPECT_EQ(row["line"], i + 2);
            EXPECT_EQ(row.size(), 4u);
            continue;
        }
        row.erase("row");
        row.erase("exit");
        EXPECT_EQ(row, nlohmann::ordered_json::parse(single.out)) << i + 1;
    }
}

TEST_F(Batch, CsvOutputListsEveryHeadOrTheStatus) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    const std::string file = File(
        "\xEF\xBB\xBFpower,beam,wavelength,pulsed\n"
        "\"100\",\"2,5\",1064nm,\n"
        "30kW,5,1064nm,0\n"
        "100W,5,,\n"
        "100W,5,1064nm,maybe\n");
    const CliRun run = Select({"--batch", file});
    EXPECT_EQ(run.status, 65);
    const auto lines = Lines(run.out);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front(), "row,status,head,margin");
    EXPECT_EQ(lines[1].rfind("1,found,", 0), 0u) << lines[1];
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"2,none,,", "3,invalid,,", "4,refused,,"}));
}

TEST_F(Batch, BadOptionsAndHeadersAreRefused) {
    const std::string good = File("beam,power\n5,100W\n");
    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--batch", good, "--report", "r.txt"}, "--report cannot be used with --batch"},
             {{"--batch", good, "--beam", "5"}, "give no laser options"},
             {{"--batch", good, "--explain", "--json"}, "--explain cannot be used with --batch"},
             {{"--batch", good, "--details"}, "--details needs --json with --batch"},
             {{"--batch", folder.string()}, folder.string() + ": is a folder"},
             {{"--batch", (folder / "missing.csv").string()}, "missing.csv: No such file or directory"}}) {
        const CliRun run = Select(args);
        EXPECT_EQ(run.status, 64);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    const CliRun unknown = Select({"--batch", File("beam,colo\x1bur\n5,red\n")});
    EXPECT_EQ(unknown.status, 64);
    EXPECT_NE(unknown.err.find("unknown column \"colo\\x1bur\""), std::string::npos) << unknown.err;
}

// A row that cannot be read as the header says is refused on its own, named
// by its data row and its line; the rows around it run.
TEST_F(Batch, RefusedRowsNameTheirLine) {
    const std::string file = File(
        "beam,power,pulsed\n"
        "# a comment, then a blank line\n"
        "\n"
        "5,100W,,extra\n"
        "5,100W,\"\"x\n"
        "5,100W,ma\x1b[2Jybe\n"
        "5,100W,\n");
    const CliRun csv = Select({"--batch", file});
    EXPECT_EQ(csv.status, 65);
    EXPECT_EQ(csv.err,
              "cv-tavrin-cli: row 1 (line 4): 4 fields where the header has 3\n"
              "cv-tavrin-cli: row 2 (line 5): field 3: text after the closing quote\n"
              "cv-tavrin-cli: row 3 (line 6): pulsed: \"ma\\x1b[2Jybe\" is not yes, no, true, false, 1, 0 or "
              "empty\n");
    const auto lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "3,refused,,");
    EXPECT_EQ(lines[4], "4,invalid,,");

    const auto json = Lines(Select({"--batch", file, "--json"}).out);
    ASSERT_EQ(json.size(), 4u);
    const auto refused = nlohmann::ordered_json::parse(json[0]);
    EXPECT_EQ(refused, nlohmann::ordered_json::parse(R"({"row": 1, "line": 4, "exit": 64, "error":
        "cv-tavrin-cli select: 4 fields where the header has 3"})"));
}

// A row longer than the limit is refused whole, as one row named by its first
// line, however its quotes hide line breaks; reading goes on after it.
TEST_F(Batch, ARowTooLongIsRefusedWholeAndReadingGoesOnAfterIt) {
    const std::string big(CsvReader::kMaxRowBytes, 'x');
    const std::string rows = "5,1064nm,100W\n5,1064nm,100W\n";
    struct Case {
        std::string body;  // after the header and a first row that runs
        std::vector<std::string> statuses;
        int line;  // where the refused row starts
    };
    const Case cases[] = {
        // a quoted cell that holds what look like rows
        {"\"" + big + "\n" + rows + "\"\n8,1064nm,10W\n", {"1,found", "2,refused", "3,found"}, 3},
        // its quote opens in the part of a line beyond the limit, with doubled quotes
        {"5," + big + ",\"a\"\"b\n" + rows + "\"\n8,1064nm,10W\n", {"1,found", "2,refused", "3,found"}, 3},
        // a quoted cell that the file's end leaves open
        {"\"" + big + "\n" + rows, {"1,found", "2,refused"}, 3},
        // without quotes the row ends with its line
        {big + "x\n" + rows, {"1,found", "2,refused", "3,found", "4,found"}, 3},
        // a comment and a quoted cell over several lines before the limit
        {"# note\n\"a\nb\"," + big + "\n" + rows, {"1,found", "2,refused", "3,found", "4,found"}, 4}};
    for (const Case& c : cases) {
        const CliRun run = Select({"--batch", File("beam,wavelength,power\n5,1064nm,100W\n" + c.body)});
        EXPECT_EQ(run.status, 65);
        EXPECT_EQ(run.err,
                  "cv-tavrin-cli: row 2 (line " + std::to_string(c.line) + "): the row is longer than 1 MiB\n");
        std::vector<std::string> statuses;
        for (const std::string& line : Lines(run.out)) {
            const std::string status = line.substr(0, line.find(',', line.find(',') + 1));
            if (statuses.empty() || statuses.back() != status) {
                statuses.push_back(status);
            }
        }
        statuses.erase(statuses.begin());  // the header
        EXPECT_EQ(statuses, c.statuses) << run.out.substr(0, 200);
    }
}

// Reads from `descriptor` until `seen` holds `text`; false when it does not
// come within two seconds or the pipe ends.
bool ReadUntil(int descriptor, const std::string& text, std::string& seen) {
    while (seen.find(text) == std::string::npos) {
        pollfd ready{descriptor, POLLIN, 0};
        char buffer[256];
        if (poll(&ready, 1, 2000) != 1) {
            return false;
        }
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got <= 0) {
            return false;
        }
        seen.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

// The real program, with its standard input and output as pipes: a row's
// result comes out before the program waits for more input, also when the
// next row has arrived in part; a FIFO or /dev/stdin is read like a file,
// and a reader that goes away ends the run with status 74.
TEST_F(Batch, RowsStreamThroughPipes) {
    const std::string program = std::string(TAVRIN_PROGRAM_DIR) + "/cv-tavrin-cli";
    struct Case {
        const char* file;
        std::string first;  // written, then the program's output awaited, then the rest
        std::string rest;
    };
    const Case cases[] = {{"/dev/stdin", "beam,wavelength,power\n5,1064nm,30kW\n", "5,,\n"},
                          {"-", "beam,wavelength,power\n5,1064nm,30kW\n5,", ",\n"},
                          {"/dev/stdin", "beam,wavelength,power\n5,1064nm,30kW\n5,\"10", "64nm\",\n"}};
    for (const Case& c : cases) {
        int input[2];
        int output[2];
        ASSERT_EQ(pipe(input), 0);
        ASSERT_EQ(pipe(output), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            dup2(input[0], STDIN_FILENO);
            dup2(output[1], STDOUT_FILENO);
            for (const int end : {input[0], input[1], output[0], output[1]}) {
                close(end);
            }
            execl(program.c_str(), program.c_str(), "select", "--batch", c.file, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(input[0]);
        close(output[1]);
        ASSERT_EQ(write(input[1], c.first.data(), c.first.size()), static_cast<ssize_t>(c.first.size()));
        std::string seen;
        EXPECT_TRUE(ReadUntil(output[0], "1,none,,\n", seen)) << "the first row's result before the input goes on";
        ASSERT_EQ(write(input[1], c.rest.data(), c.rest.size()), static_cast<ssize_t>(c.rest.size()));
        close(input[1]);
        std::array<char, 256> buffer{};
        for (ssize_t got; (got = read(output[0], buffer.data(), buffer.size())) > 0;) {
            seen.append(buffer.data(), static_cast<std::size_t>(got));
        }
        close(output[0]);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(seen, "row,status,head,margin\n1,none,,\n2,invalid,,\n");
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    std::string many = "beam,wavelength,power\n";
    for (int i = 0; i < 20000; ++i) {
        many += "5,1064nm,100W\n";
    }
    const std::string file = File(many);
    const std::string fifo = (folder / "lasers.fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string errFile = (folder / "err.txt").string();
    // A FIFO fed by cat, read by the program, whose reader stops after 1,000
    // bytes; the program's own status is written to a file.
    const std::string command = "sh -c '(" + program + " select --batch " + fifo + " 2>" + errFile + "; echo $? >" +
                                errFile + ".status) | head -c 1000 >/dev/null' & cat " + file + " >" + fifo +
                                " 2>/dev/null; wait";
    std::system(command.c_str());
    EXPECT_EQ(test::ReadFile(errFile + ".status"), "74\n");
    EXPECT_NE(test::ReadFile(errFile).find("Broken pipe"), std::string::npos) << test::ReadFile(errFile);
}

// Progress shows on a terminal only, and only for more than 1,000 rows.
TEST_F(Batch, ProgressOnlyOnATerminal) {
    std::string text = "beam,wavelength,power\n";
    for (int i = 0; i < 1001; ++i) {
        text += "5,1064nm,100W\n";
    }
    const std::string file = File(text);
    EXPECT_NE(Select({"--batch", file}, TAVRIN_PROGRAM_DIR, true).err.find("1001 rows"), std::string::npos);
    EXPECT_TRUE(Select({"--batch", file}).err.empty());

    // The real program decides by its standard error: a pseudo-terminal here.
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int out = open("/dev/null", O_WRONLY);
        dup2(out, STDOUT_FILENO);
        const std::string program = std::string(TAVRIN_PROGRAM_DIR) + "/cv-tavrin-cli";
        execl(program.c_str(), program.c_str(), "select", "--batch", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string terminal;
    char buffer[4096];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) {
        terminal.append(buffer, static_cast<std::size_t>(got));
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(terminal.find("1001 rows"), std::string::npos) << terminal;
}

}  // namespace
}  // namespace tavrin
