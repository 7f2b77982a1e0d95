// Safe margins against the shipped catalogue, every value worked out by hand:
// what a uniform beam's heads would do as a Gaussian beam, the centre's peak
// power density, where a threshold comes from and the conservative rule, the
// user's ceiling; and the defaults changing nothing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "select_command.h"
#include "test_support.h"

namespace tavrin {
namespace {

struct CliRun {
    int status;
    std::string out;
};

CliRun Select(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data-dir", TAVRIN_PROGRAM_DIR});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunSelectCommand(args, out, err, false);
    return {status, out.str()};
}

// One value of the JSON: at `pointer` in the object of the head named `head`
// in `list` ("heads", "details/heads", "details/rejected"), or in the whole
// object when `list` is empty. "<absent>": no such value (or head).
struct Check {
    const char* list;
    const char* head;
    const char* pointer;
    nlohmann::json expected;
};

const nlohmann::json* Find(const nlohmann::json& all, const Check& check) {
    const nlohmann::json* item = &all;
    if (*check.list != '\0') {
        item = nullptr;
        for (const auto& head : all.at(nlohmann::json::json_pointer(std::string("/") + check.list))) {
            item = head["name"] == check.head ? &head : item;
        }
    }
    const nlohmann::json::json_pointer at(check.pointer);
    return item != nullptr && item->contains(at) ? &item->at(at) : nullptr;
}

// Areas as the program works them out: d² × 3.141592 / 4, in cm². A 5 mm
// beam is 0.1963495 cm²; 2 mJ on it 10.1859 mJ/cm², 20.3719 at a Gaussian
// centre; coating row 1 holds 30 mJ/cm² at 100 ps and 3 mJ/cm² at 1 ps, so
// its power law there is 3 mJ/cm² × (τ / 1 ps)^0.5.
TEST(SafeMargins, EveryCaseAsWorkedOutByHand) {
    const std::vector<std::string> cw04 = {"--beam", "0.4", "--wavelength", "1064nm", "--power", "2.5W"};
    const std::vector<std::string> rect04 = {"--rect",       "--beam", "0.4",     "--width", "0.4",
                                             "--wavelength", "1064nm", "--power", "2.5W"};
    const auto pulsed = [](const char* energy, const char* width) {
        return std::vector<std::string>{"--pulsed", "--beam", "5",     "--wavelength",  "1064nm", "--energy",
                                        energy,     "--rate", "500Hz", "--pulse-width", width};
    };
    const auto with = [](std::vector<std::string> args, std::initializer_list<const char*> more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const nlohmann::json absent = "<absent>";
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::vector<Check> checks;
        const char* text;  // a line the text form of --details holds; nullptr for none
    };
    const Case cases[] = {
        // 2.5 W / 1.256637e-3 cm² = 1989.44 W/cm², 66 % of TQ3-10A's 3000; a
        // Gaussian centre sees 3978.87 W/cm², 133 %.
        {"CW, round, uniform: kept, marked",
         cw04,
         {{"heads", "TQ3-10A", "/margin", "66 %"},
          {"details/heads", "TQ3-10A", "/if_gaussian/kept", false},
          {"details/heads", "TQ3-10A", "/if_gaussian/criterion", "power_density_max"},
          {"details/heads", "TQ3-10A", "/if_gaussian/used", 1.326290},
          {"details/heads", "ZR200-18", "/if_gaussian/kept", true}},
         "TQ3-10A: With a Gaussian beam of these 1/e\u00B2 sizes: max power density 133 % \u2014 would not suit"},
        {"CW, round, Gaussian: rejected, nothing marked",
         with(cw04, {"--profile", "gaussian"}),
         {{"heads", "TQ3-10A", "/margin", absent},
          {"details/rejected", "TQ3-10A", "/laser", 3978.874},
          {"details/heads", "ZR200-18", "/if_gaussian", absent}},
         nullptr},
        // 0.4 × 0.4 mm: 1562.5 W/cm², 52 %; 8/π × 1562.5 = 3978.87 W/cm².
        {"CW, rectangle, uniform: marked with 8/pi",
         rect04,
         {{"heads", "TQ3-10A", "/margin", "52 %"}, {"details/heads", "TQ3-10A", "/if_gaussian/used", 1.326290}},
         nullptr},
        // 10.1859 / 30 mJ/cm² = 34 %; as Gaussian 67.9 %, still kept.
        {"pulsed, uniform: kept as Gaussian too",
         pulsed("2mJ", "10ps"),
         {{"heads", "TQ3-10A", "/margin", "34 %"},
          {"details/heads", "TQ3-10A", "/threshold_basis", "held from 100 ps"},
          {"details/heads", "TQ3-10A", "/if_gaussian/kept", true},
          {"details/heads", "TQ3-10A", "/if_gaussian/criterion", "damage_threshold"},
          {"details/heads", "TQ3-10A", "/if_gaussian/used", 0.6790617}},
         nullptr},
        // 3 mJ: 15.2789 mJ/cm², 51 %; 30.5578 at the centre, 102 %.
        {"pulsed, uniform: marked",
         pulsed("3mJ", "10ps"),
         {{"heads", "TQ3-10A", "/margin", "51 %"}, {"details/heads", "TQ3-10A", "/if_gaussian/used", 1.018593}},
         "TQ3-10A: With a Gaussian beam of these 1/e\u00B2 sizes: damage threshold 102 % \u2014 would not suit"},
        // 2 mJ / 10 ps = 200 MW over 0.1963495 cm²: 1.018592e9 W/cm², twice at the centre.
        {"10 ps, Gaussian, as listed: kept at 68 %",
         with(pulsed("2mJ", "10ps"), {"--profile", "gaussian"}),
         {{"heads", "TQ3-10A", "/margin", "68 %"},
          {"details/heads", "TQ3-10A", "/threshold", 0.03},
          {"details/heads", "TQ3-10A", "/if_gaussian", absent},
          {"", "", "/profile/peak_power_density_peak", 2.037184e9},
          {"", "", "/threshold", absent}},
         nullptr},
        // 3 × 10^0.5 = 9.48683 mJ/cm²: 20.3719 / 9.48683 = 215 %.
        {"10 ps, Gaussian, conservative: rejected",
         with(pulsed("2mJ", "10ps"), {"--profile", "gaussian", "--threshold", "conservative"}),
         {{"heads", "TQ3-10A", "/margin", absent},
          {"details/rejected", "TQ3-10A", "/criterion", "damage_threshold"},
          {"details/rejected", "TQ3-10A", "/limit", 0.00948683},
          {"details/rejected", "TQ3-10A", "/threshold_as_listed", 0.03},
          {"", "", "/threshold", "conservative"}},
         nullptr},
        // 30 ps: 3 × 30^0.5 = 16.4317 mJ/cm² below the 30 held; 10.1859 of it is 62 %.
        {"30 ps, conservative: the power law replaces the hold",
         with(pulsed("2mJ", "30ps"), {"--threshold", "conservative"}),
         {{"heads", "TQ3-10A", "/margin", "62 %"},
          {"details/heads", "TQ3-10A", "/threshold", 0.0164317},
          {"details/heads", "TQ3-10A", "/threshold_basis", "held from 100 ps"},
          {"details/heads", "TQ3-10A", "/threshold_as_listed", 0.03}},
         nullptr},
        // 3 ps: the line gives 3 + 27 × 2/9 = 9 mJ/cm², the power law 3 × 3^0.5 = 5.19615.
        {"3 ps, conservative: the power law replaces the line",
         with(pulsed("2mJ", "3ps"), {"--threshold", "conservative"}),
         {{"details/rejected", "TQ3-10A", "/limit", 0.00519615},
          {"details/rejected", "TQ3-10A", "/threshold_basis", "between 10 ps and 1 ps"},
          {"details/rejected", "TQ3-10A", "/threshold_as_listed", 0.009}},
         nullptr},
        // 3 ns: the line 94.9 + 205.1 × 2/9 = 140.478 mJ/cm² lies below the
        // power law (94.9 × 3^0.4998 = 164.4) and stands.
        {"3 ns, conservative: the line stays",
         with(pulsed("2mJ", "3ns"), {"--threshold", "conservative"}),
         {{"details/heads", "TQ3-10A", "/threshold", 0.1404778},
          {"details/heads", "TQ3-10A", "/threshold_basis", "interpolated"},
          {"details/heads", "TQ3-10A", "/threshold_as_listed", 0.1404778}},
         nullptr},
        {"100 fs: held from 1 ps by both rules",
         with(pulsed("0.01mJ", "100fs"), {"--threshold", "conservative"}),
         {{"details/heads", "TQ3-10A", "/threshold", 0.003},
          {"details/heads", "TQ3-10A", "/threshold_basis", "held from 1 ps"}},
         nullptr},
        // A 50 % ceiling under 68 %: 15 mJ/cm² at the centre needs 0.26667 cm²,
        // a 5.827 mm beam: 5.9 mm on the grid (5.8 mm gives 15.14).
        {"ceiling 50 %: refused at 68 %, fits with a larger beam",
         with(pulsed("2mJ", "10ps"), {"--profile", "gaussian", "--max-share", "50%"}),
         {{"details/rejected", "TQ30-19A", "/criterion", "damage_threshold"},
          {"details/rejected", "TQ30-19A", "/ceiling_only", true},
          {"details/rejected", "TQ30-19A", "/fits_with_beam_mm", 5.9},
          {"details/rejected", "TQ3-10A", "/criterion", "aperture"},
          {"", "", "/max_share", 50},
          {"", "", "/details/operating_point/ceiling", 0.5}},
         "Why not TQ30-19A: damage_threshold, laser 20.37 mJ/cm\u00B2 against 30 mJ/cm\u00B2 (68 % > 50 % ceiling)"},
        {"ceiling 70 %: kept at 68 %",
         with(pulsed("2mJ", "10ps"), {"--profile", "gaussian", "--max-share", "70"}),
         {{"heads", "TQ30-19A", "/margin", "68 %"}},
         nullptr},
        // 1 mJ / 10 fs = 1e11 W over a diameter of 8 µm (w = 4 µm), 5.026547e-7
        // cm²: 1.989437e17 W/cm², 3.978874e17 at the centre.
        {"10 fs on w = 4 um, Gaussian: the centre's peak power density",
         {"--pulsed", "--beam", "0.008", "--wavelength", "800nm", "--energy", "1mJ", "--rate", "1Hz", "--pulse-width",
          "10fs", "--profile", "gaussian"},
         {{"", "", "/values/PeakPowerDensity", 1.989437e17}, {"", "", "/profile/peak_power_density_peak", 3.978874e17}},
         nullptr},
    };
    for (const Case& c : cases) {
        const CliRun run = Select(with(c.args, {"--json", "--details"}));
        const auto json = nlohmann::json::parse(run.out);
        for (const Check& check : c.checks) {
            const std::string where = std::string(c.what) + ": " + check.list + " " + check.head + check.pointer;
            const nlohmann::json* value = Find(json, check);
            if (check.expected == absent) {
                EXPECT_EQ(value, nullptr) << where;
            } else if (value == nullptr) {
                ADD_FAILURE() << where << " is missing";
            } else if (check.expected.is_number_float()) {
                EXPECT_NEAR(value->get<double>(), check.expected.get<double>(), 2e-6 * check.expected.get<double>())
                    << where;
            } else {
                EXPECT_EQ(*value, check.expected) << where;
            }
        }
        if (c.text != nullptr) {
            const std::string text = Select(with(c.args, {"--details"})).out;
            EXPECT_NE(text.find(c.text), std::string::npos) << c.what << "\n" << text;
        }
    }
}

// The defaults spelt out change nothing: a ceiling of 100 % compares exactly
// as the limits alone, and the listed rule is today's.
TEST(SafeMargins, TheDefaultsSpeltOutChangeNothing) {
    const std::vector<std::vector<std::string>> lasers = {
        {"--beam", "0.4", "--wavelength", "1064nm", "--power", "2.5W"},
        {"--pulsed", "--beam", "5", "--wavelength", "1064nm", "--energy", "2mJ", "--rate", "500Hz", "--pulse-width",
         "10ps", "--profile", "gaussian"},
        {"--beam", "5", "--wavelength", "1064nm", "--power", "30kW"}};
    for (const auto& laser : lasers) {
        for (const char* form : {"--json", "--explain"}) {
            auto plain = laser;
            plain.emplace_back(form);
            auto spelt = plain;
            spelt.insert(spelt.end(), {"--max-share", "100", "--threshold", "as-listed"});
            EXPECT_EQ(Select(spelt).out, Select(plain).out) << laser[1] << " " << form;
        }
    }
}

// The report and the request name the rules that are not the defaults, and
// a Gaussian beam's sizes and centre.
TEST(SafeMargins, TheReportAndTheRequestNameTheRules) {
    const auto report = test::FreshFolder("margins-report") / "Print.txt";
    const std::vector<std::string> rules = {"--profile", "gaussian",    "--max-share",
                                            "50",        "--threshold", "conservative"};
    auto found = std::vector<std::string>{"--pulsed",     "--beam", "5",    "--wavelength",  "1064nm", "--energy",
                                          "1mJ",          "--rate", "1kHz", "--pulse-width", "10ns",   "--report",
                                          report.string()};
    found.insert(found.end(), rules.begin(), rules.end());
    auto none = std::vector<std::string>{"--beam", "5", "--wavelength", "1064nm", "--power", "30kW", "--json"};
    none.insert(none.end(), rules.begin(), rules.end());
    EXPECT_EQ(Select(found).status, 0);
    const std::string request = nlohmann::json::parse(Select(none).out)["request"];
    for (const auto& [what, text] : {std::pair{"report", test::ReadFile(report)}, {"request", request}}) {
        for (const char* line :
             {"Beam Profile: Gaussian (1/e\u00B2), peak = 2 \u00D7 mean; sizes are full widths at 1/e\u00B2 of the "
              "peak (a FWHM is 1.699 \u00D7 smaller)",
              "Ceiling: at most 50 % of each head limit",
              "Damage Threshold: conservative, never above the power law through the neighbouring catalogue points"}) {
            EXPECT_NE(text.find(line), std::string::npos) << what << " lacks " << line << "\n" << text;
        }
    }
    // 1 mJ / 10 ns over 0.1963495 cm²: 509.3 kW/cm², twice at the centre.
    EXPECT_NE(test::ReadFile(report).find("Peak Power Density at centre (\u00D72) 1018.6 kW/cm2\r\n"),
              std::string::npos);
}

// The batch's max-share and threshold columns give what the options give.
TEST(SafeMargins, BatchColumnsGiveWhatTheOptionsGive) {
    const auto file = test::FreshFolder("margins-batch") / "lasers.csv";
    test::WriteFile(file,
                    "pulsed,beam,wavelength,energy,rate,pulse-width,profile,max-share,threshold\n"
                    "yes,5,1064nm,2mJ,500Hz,10ps,gaussian,50%,\n"
                    "yes,5,1064nm,2mJ,500Hz,10ps,gaussian,,conservative\n");
    const std::vector<std::string> laser = {"--pulsed", "--beam",    "5",        "--wavelength", "1064nm",
                                            "--energy", "2mJ",       "--rate",   "500Hz",        "--pulse-width",
                                            "10ps",     "--profile", "gaussian", "--json",       "--details"};
    const CliRun batch = Select({"--batch", file.string(), "--json", "--details"});
    EXPECT_EQ(batch.status, 0);
    std::istringstream lines(batch.out);
    for (const auto& rule : {std::vector<std::string>{"--max-share", "50%"}, {"--threshold", "conservative"}}) {
        std::string line;
        ASSERT_TRUE(std::getline(lines, line));
        auto row = nlohmann::json::parse(line);
        row.erase("row");
        row.erase("exit");
        auto args = laser;
        args.insert(args.end(), rule.begin(), rule.end());
        EXPECT_EQ(row, nlohmann::json::parse(Select(args).out)) << rule[0];
    }
}

}  // namespace
}  // namespace tavrin
