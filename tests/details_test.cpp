// Why a head was kept or not: the usage of each limit, the threshold curves,
// the beam with which a rejected head would fit, and the window's details area.
#include <gtest/gtest.h>

#include <cmath>

#include "selection/damage_threshold.h"
#include "selection/head_details.h"
#include "test_support.h"

namespace tavrin {
namespace {

using test::ModelFixture;
using test::WideHead;

SearchDetails DetailsOf(const MainWindowModel& model) {
    return ComputeDetails(model.Heads(), LimitsOf(model.Heads().Heads), model.State(), model.Numbers());
}

std::vector<std::string> Keys(const std::vector<CriterionUsage>& usage) {
    std::vector<std::string> keys;
    for (const CriterionUsage& criterion : usage) {
        keys.emplace_back(criterion.key);
    }
    return keys;
}

// Every criterion that applies, in the search's order, with the laser's share
// of the limit: laser / limit for upper limits, limit / laser for lower ones.
TEST(Details, UsageIsWhatTheSearchCompared) {
    struct ModeCase {
        const char* mode;
        std::function<void(MainWindowModel&)> type;
        std::vector<std::string> keys;
    };
    const std::vector<std::string> cw = {"power_max", "aperture",   "power_density_max",
                                         "power_min", "wavelength", "product_type"};
    const std::vector<std::string> pulsed = {"power_max",  "aperture",   "power_density_max", "power_min",
                                             "energy_max", "wavelength", "damage_threshold",  "product_type"};
    const std::vector<std::string> single = {"power_max",  "aperture",   "power_density_max", "energy_max",
                                             "energy_min", "wavelength", "damage_threshold",  "product_type"};
    const auto rectangle = [](MainWindowModel& m) {
        m.ClickOption(OptionId::Rectangular);
        test::TypeTexts(
            m,
            {{EntryId::Beam1, "3"}, {EntryId::Beam2, "4"}, {EntryId::WaveLength, "1064"}, {EntryId::MaxPower, "10"}});
    };
    const ModeCase modes[] = {{"CW", test::TypeCw, cw},
                              {"pulsed", test::TypePulsed, pulsed},
                              {"single pulse", test::TypeSinglePulse, single},
                              {"rectangle", rectangle, cw}};
    for (const ModeCase& mode : modes) {
        HeadRecord head = WideHead("H");
        head.PowerMin = 0.5;
        head.EnergyMin = 0.25;
        ModelFixture f({{head}, test::UniformCoatings(100)});
        mode.type(f.model);
        const SearchDetails details = DetailsOf(f.model);
        ASSERT_EQ(details.kept.size(), 1u) << mode.mode;
        const auto& usage = details.kept[0].usage;
        EXPECT_EQ(Keys(usage), mode.keys) << mode.mode;
        const LaserInputState& s = f.model.State();
        for (const CriterionUsage& c : usage) {
            const std::string key = c.key;
            if (key == "power_max") {
                EXPECT_EQ(c.laser, s.AveragePower);
                EXPECT_EQ(*c.used, s.AveragePower / 10000);
            } else if (key == "aperture") {
                EXPECT_EQ(c.laser, s.BeamSize * 1.16) << mode.mode;
                EXPECT_EQ(*c.used, s.BeamSize * 1.16 / 100);
            } else if (key == "power_density_max") {
                EXPECT_EQ(c.laser, s.PowerDensity);
            } else if (key == "power_min" || key == "energy_min") {
                EXPECT_EQ(*c.used, c.limit / c.laser) << key;
            } else if (key == "damage_threshold") {
                EXPECT_EQ(c.laser, s.EnergyDensity);
                EXPECT_EQ(c.limit, 100);
                EXPECT_EQ(*details.kept[0].threshold, 100);
            } else if (key == "wavelength") {
                EXPECT_EQ(c.inRange, true);
                EXPECT_EQ(c.limitMax, 20);
            } else if (key == "product_type") {
                EXPECT_FALSE(c.used.has_value());
            }
        }
        EXPECT_EQ(details.curves.empty(), s.LaserType == Laser::CW) << mode.mode;
    }
}

// The curve of a coating row is the lookup itself, at every decade end and
// at ten points a decade between 1 ps and 1 s.
TEST(Details, CurvesFollowTheLookup) {
    CoatingTable coatings;
    for (int k = 0; k < 12; ++k) {
        coatings.Set(1, k, 100 - 5.0 * k);
    }
    ModelFixture f({{WideHead("H")}, coatings});
    test::TypePulsed(f.model);
    const SearchDetails details = DetailsOf(f.model);
    ASSERT_EQ(details.curves.size(), 1u);
    const auto& [row, points] = details.curves[0];
    EXPECT_EQ(row, 1);
    ASSERT_EQ(points.size(), 121u);
    EXPECT_EQ(points.front(), std::make_pair(1e-12, 45.0));
    EXPECT_EQ(points[60], std::make_pair(1e-6, 70.0));
    EXPECT_EQ(points.back(), std::make_pair(1.0, 100.0));
    EXPECT_NEAR(points[65].first, std::pow(10.0, -5.5), 1e-18);
    EXPECT_EQ(points[65].second, DamageThresholdAt(coatings, 1, Laser::Pulsed, points[65].first));
    EXPECT_EQ(*details.operatingPoint.pulseWidth, 0.001);
}

// A rejected head fits at X and not one step back toward the entered beam;
// a criterion the beam does not change leaves no beam that fits.
TEST(Details, FitsWithBeamIsExactAndNearest) {
    struct FitCase {
        const char* what;
        std::function<void(HeadRecord&)> edit;
        bool pulsed;
        const char* beam;
        std::optional<double> fits;
    };
    const FitCase cases[] = {{"power density", [](HeadRecord& h) { h.PowerDensityMax = 6000; }, false, "2", 3.3},
                             {"damage threshold", [](HeadRecord&) {}, true, "2", 11.3},
                             {"aperture", [](HeadRecord& h) { h.Aperture = 20; }, false, "30", 17.2},
                             // bisections that end on an odd step
                             {"power density 7000", [](HeadRecord& h) { h.PowerDensityMax = 7000; }, false, "2", 3.1},
                             {"aperture 21", [](HeadRecord& h) { h.Aperture = 21; }, false, "30", 18.1},
                             {"wavelength", [](HeadRecord& h) { h.WaveMax = 1; }, false, "2", std::nullopt},
                             {"aperture runs out first",
                              [](HeadRecord& h) {
                                  h.Aperture = 3;
                                  h.PowerDensityMax = 6000;
                              },
                              false, "2", std::nullopt}};
    for (const FitCase& c : cases) {
        HeadRecord head = WideHead("H");
        c.edit(head);
        const auto typed = [&](const std::string& beam) {
            auto f = std::make_unique<ModelFixture>(Catalogue{{head}, test::UniformCoatings(1)});
            if (c.pulsed) {
                test::TypePulsed(f->model);
            } else {
                f->model.TypeText(EntryId::WaveLength, "1064");
                f->model.TypeText(EntryId::MaxPower, "500");
            }
            f->model.TypeText(EntryId::Beam1, beam);
            return f;
        };
        auto entered = typed(c.beam);
        const auto kept = [&](double beam) {
            return typed(entered->model.Numbers().DoubleToText(beam))->model.Explore() == ExploreOutcome::Found;
        };
        const SearchDetails details = DetailsOf(entered->model);
        ASSERT_EQ(details.rejected.size(), 1u) << c.what;
        EXPECT_EQ(details.rejected[0].fitsWithBeamMm, c.fits) << c.what;
        if (c.fits) {
            const double back = *c.fits < std::stod(c.beam) ? *c.fits + 0.1 : *c.fits - 0.1;
            EXPECT_TRUE(kept(*c.fits)) << c.what;
            EXPECT_FALSE(kept(back)) << c.what;
        }
    }
}

// A rectangle has both sides scaled together: 2 x 3 mm at 500 W is 8333
// W/cm2, and a 6000 W/cm2 limit needs the sides 1.18 times as long.
TEST(Details, ARectangleFitsWithBothSidesScaled) {
    HeadRecord head = WideHead("H");
    head.PowerDensityMax = 6000;
    const Catalogue catalogue{{head}, test::UniformCoatings(1)};
    const auto rectangle = [](const char* length, const char* width) {
        return [=](MainWindowModel& m) {
            m.ClickOption(OptionId::Rectangular);
            test::TypeTexts(m, {{EntryId::Beam1, length},
                                {EntryId::Beam2, width},
                                {EntryId::WaveLength, "1064"},
                                {EntryId::MaxPower, "500"}});
        };
    };
    ModelFixture entered(catalogue);
    rectangle("2", "3")(entered.model);
    entered.model.Explore();
    const SearchDetails& details = *entered.model.Details().Details();
    ASSERT_EQ(details.rejected.size(), 1u);
    EXPECT_EQ(details.rejected[0].fitsWithBeamScale, 1.18);
    EXPECT_FALSE(details.rejected[0].fitsWithBeamMm.has_value());
    EXPECT_EQ(entered.model.Details().WhyNotAt(0).fits, "fits with both sides scaled by 1.18");
    EXPECT_EQ(test::KeptCount(catalogue, rectangle("2.36", "3.54")), 1);
    EXPECT_EQ(test::KeptCount(catalogue, rectangle("2.34", "3.51")), 0);
}

// ---- the details area: what a pick shows, the "Why not?" list, saving the chart

// Kept "A"; "B" fails on its power, "C" on its power density (a 16 mm beam
// would do), "D" on the wavelength, "E" on its least power, "F" on its type.
Catalogue SixHeads() {
    HeadRecord b = WideHead("B");
    b.PowerMax = 1;
    HeadRecord c = WideHead("C");
    c.PowerDensityMax = 5;
    HeadRecord d = WideHead("D");
    d.WaveMax = 1;
    HeadRecord e = WideHead("E");
    e.PowerMin = 50;
    HeadRecord f = WideHead("F");
    f.HeadType = "Probe";
    return {{WideHead("A"), b, c, d, e, f}, test::UniformCoatings(100)};
}

std::vector<std::string> Column(const DetailsArea& area, std::string WhyNotRow::*field) {
    std::vector<std::string> column;
    for (std::size_t row = 0; row < area.WhyNotCount(); ++row) {
        column.push_back(area.WhyNotAt(row).*field);
    }
    return column;
}

TEST(DetailsArea, DescribesTheLaserAsTheLastExploreSawIt) {
    ModelFixture f(SixHeads(), ',');
    test::TypeCw(f.model);
    ASSERT_EQ(f.model.Explore(), ExploreOutcome::Found);
    f.model.TypeText(EntryId::MaxPower, "20");  // not explored: the details stay
    const DetailsArea& area = f.model.Details();
    EXPECT_FALSE(area.Details().has_value()) << "a hidden area is worked out only when asked";
    f.model.WorkOutDetails();
    EXPECT_EQ(Column(area, &WhyNotRow::name), (std::vector<std::string>{"B", "C", "D", "E", "F"}));
    EXPECT_EQ(Column(area, &WhyNotRow::criterion),
              (std::vector<std::string>{"Max power", "Max power density", "Wavelength", "Min power", "Product type"}));
    EXPECT_EQ(
        Column(area, &WhyNotRow::values),
        (std::vector<std::string>{"10 W > 1 W", "12,73 W/cm\u00B2 > 5 W/cm\u00B2",
                                  "1,064 \u00B5m outside 100 nm to 1 \u00B5m", "10 W < 50 W", "another product type"}));
    EXPECT_EQ(Column(area, &WhyNotRow::fits), (std::vector<std::string>{"", "fits with a beam of 16 mm", "", "", ""}));
    EXPECT_FALSE(area.Shown());
    EXPECT_EQ(area.Chart().kind, ChartKind::None);

    f.model.CellSelected(1);
    EXPECT_TRUE(area.Shown()) << "a pick shows the area";
    EXPECT_EQ(area.PickedHead(), 0u);
    const DetailsChart chart = area.Chart();
    EXPECT_EQ(chart.kind, ChartKind::Bars);
    EXPECT_EQ(chart.title, "A: max power density, <1 % of the limit");
    EXPECT_EQ(chart.laser, area.Details()->operatingPoint.powerDensity);
    EXPECT_EQ(chart.limit, 30000);
    EXPECT_EQ(chart.laserName, "Laser: 12,73 W/cm\u00B2");
    EXPECT_EQ(chart.limitName, "Head limit: 30 kW/cm\u00B2");
    EXPECT_EQ(chart.yTicks.back(), (AxisTick{40000, "40 kW/cm\u00B2"}));
    std::vector<std::string> bars;
    for (const UsageBar& bar : area.Bars()) {
        bars.push_back(bar.caption + " " + bar.text + (bar.tightest ? " tightest" : ""));
    }
    EXPECT_EQ(bars, (std::vector<std::string>{"Max power <1 %", "Aperture (1.16 \u00D7 beam) 12 % tightest",
                                              "Max power density <1 %", "Min power <1 %", "Wavelength in range",
                                              "Product type matches"}));

    // A head rejected on its max power shows its power against that limit.
    f.model.PickWhyNot(0);
    const DetailsChart rejected = area.Chart();
    EXPECT_EQ(rejected.title, "B (not suitable): max power, 1000 % of the limit");
    EXPECT_EQ(rejected.category, "Max power");
    EXPECT_EQ(rejected.laserName, "Laser: 10 W");
    EXPECT_EQ(rejected.limitName, "Head limit: 1 W");

    f.model.PickWhyNot(1);
    EXPECT_EQ(area.PickedHead(), 2u);
    EXPECT_EQ(area.PickedWhyNotRow(), 1u);
    const auto beyond = area.Bars()[2];
    EXPECT_TRUE(beyond.beyond && beyond.tightest) << "C goes beyond its power density";
    EXPECT_EQ(beyond.text, "255 %");

    // Hidden by the user, the area stays hidden through picks; Reset Data empties it.
    f.model.ShowDetails(false);
    f.model.CellSelected(1);
    EXPECT_FALSE(area.Shown());
    f.model.ResetData();
    EXPECT_EQ(area.WhyNotCount(), 0u);
    EXPECT_FALSE(area.PickedHead().has_value());

    // A search that keeps no head shows the area for its "Why not?" list.
    ModelFixture none({{SixHeads().Heads[1]}, test::UniformCoatings(100)});
    test::TypeCw(none.model);
    EXPECT_EQ(none.model.Explore(), ExploreOutcome::NoneFound);
    EXPECT_TRUE(none.model.Details().Shown());
}

// Rows without a fitting beam stay last both ways; a sort keeps the pick.
TEST(DetailsArea, TheWhyNotListSorts) {
    struct SortCase {
        WhyNotColumn column;
        bool ascending;
        std::vector<std::string> names;
    };
    const SortCase cases[] = {{WhyNotColumn::Name, false, {"F", "E", "D", "C", "B"}},
                              {WhyNotColumn::Criterion, false, {"F", "D", "E", "C", "B"}},
                              {WhyNotColumn::Values, true, {"C", "E", "B", "D", "F"}},
                              {WhyNotColumn::Values, false, {"B", "E", "C", "D", "F"}},
                              {WhyNotColumn::Fits, false, {"C", "B", "D", "E", "F"}},
                              {WhyNotColumn::Fits, true, {"C", "B", "D", "E", "F"}}};
    for (const SortCase& c : cases) {
        ModelFixture f(SixHeads());
        test::TypeCw(f.model);
        f.model.Explore();
        f.model.PickWhyNot(0);
        f.model.SortWhyNotBy(c.column);
        if (!c.ascending) {
            f.model.SortWhyNotBy(c.column);  // a second click turns the order round
        }
        EXPECT_EQ(Column(f.model.Details(), &WhyNotRow::name), c.names)
            << static_cast<int>(c.column) << " " << c.ascending;
        EXPECT_EQ(f.model.Details().PickedHead(), 1u) << "B stays picked";
    }
}

// A pulsed laser's chart: the curve of the head's coating row, the operating
// point and the margin beside it.
TEST(DetailsArea, APulsedPickDrawsTheThresholdCurve) {
    ModelFixture f({{WideHead("A/1")}, test::UniformCoatings(100)});
    test::TypePulsed(f.model);
    f.model.Explore();
    f.model.CellSelected(1);
    const DetailsChart chart = f.model.Details().Chart();
    const OperatingPoint& laser = f.model.Details().Details()->operatingPoint;
    EXPECT_EQ(chart.kind, ChartKind::Threshold);
    EXPECT_EQ(chart.curveName, "Coating 1, damage threshold");
    // 1 ps to 100 ps, where the table has no point, dashed; 100 ps to 1 s solid.
    ASSERT_EQ(chart.curve.size(), 2u);
    EXPECT_TRUE(chart.curve[0].held);
    EXPECT_EQ(chart.curve[0].points.size(), 21u);
    EXPECT_FALSE(chart.curve[1].held);
    EXPECT_EQ(chart.curve[1].points.size(), 101u);
    EXPECT_EQ(chart.curve[0].points.back(), chart.curve[1].points.front());
    EXPECT_EQ(chart.point, std::make_pair(0.001, laser.energyDensity));
    EXPECT_EQ(chart.title, "A/1: damage threshold\nLaser 1.273 J/cm\u00B2 at 1 ms: 1 % of the threshold");
    EXPECT_EQ(chart.yMin, 1);
    EXPECT_EQ(chart.yMax, 100);
    std::vector<std::string> ticks;
    for (const AxisTick& tick : chart.xTicks) {
        ticks.push_back(tick.label);
    }
    EXPECT_EQ(ticks, (std::vector<std::string>{"1 ps", "1 ns", "1 \u00B5s", "1 ms", "1 s"}));
    EXPECT_EQ(chart.yTicks.front(), (AxisTick{1, "1 J/cm\u00B2"}));
    EXPECT_EQ(f.model.Details().ChartFileStem(), "A_1-damage-threshold");
    // A screen reader hears the operating point and the threshold there, and each bar as a sentence.
    EXPECT_EQ(chart.description,
              "Operating point: 1.273 J/cm\u00B2 at a pulse width of 1 ms. Coating 1 threshold there: 100 J/cm\u00B2, "
              "1 % of it.");
    const std::vector<UsageBar> bars = f.model.Details().Bars();
    EXPECT_EQ(bars.front().spoken, "Max power: <1 % of the limit");
    EXPECT_EQ(bars.back().spoken, "Product type: matches");
}

class FakeChartFiles final : public ChartFiles {
public:
    std::optional<ChosenChartFile> ChooseChartFile(const std::string& suggested) override {
        suggestedName = suggested;
        return chosen ? std::optional<ChosenChartFile>({*chosen, filter}) : std::nullopt;
    }
    std::optional<std::string> RenderChart(ChartFormat format) override {
        rendered.push_back(format);
        return std::string("chart");
    }
    std::optional<std::string> chosen;
    std::optional<ChartFormat> filter;
    std::string suggestedName;
    std::vector<ChartFormat> rendered;
};

TEST(DetailsArea, SavingTheChart) {
    const auto folder = test::FreshFolder("saved-charts");
    const std::string png = (folder / "a.PNG").string();
    const std::string inFile = (folder / "a.PNG" / "b.svg").string();
    struct SaveCase {
        std::optional<std::string> chosen;
        std::optional<ChartFormat> filter;
        std::optional<ChartFormat> rendered;
        std::string message;  // empty: none
    };
    const SaveCase cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, ""},
        {png, ChartFormat::Pdf, ChartFormat::Png, ""},  // the suffix wins over the filter
        {(folder / "a.svg").string(), std::nullopt, ChartFormat::Svg, ""},
        {(folder / "b").string(), ChartFormat::Pdf, ChartFormat::Pdf, ""},  // the filter gives the suffix
        {inFile, std::nullopt, ChartFormat::Svg, "The chart could not be written to " + inFile + ": Not a directory."},
        {"/tmp/a.jpg", ChartFormat::Png, std::nullopt, "Save the chart as a .png, .svg or .pdf file."}};
    for (const SaveCase& c : cases) {
        ModelFixture f(SixHeads());
        test::TypeCw(f.model);
        f.model.Explore();
        FakeChartFiles files;
        files.chosen = c.chosen;
        files.filter = c.filter;
        f.model.SaveChart(files);
        EXPECT_TRUE(files.suggestedName.empty()) << "nothing picked, nothing to save";
        f.model.CellSelected(1);
        f.model.SaveChart(files);
        EXPECT_EQ(files.suggestedName, "A-power-density.png");
        using Rendered = std::vector<ChartFormat>;
        EXPECT_EQ(files.rendered, (c.rendered ? Rendered{*c.rendered} : Rendered{})) << c.chosen.value_or("");
        const auto& shown = f.messages.shown;
        EXPECT_EQ(shown.empty() ? std::string() : shown.back().text, c.message);
        const bool saved = c.rendered && c.message.empty();
        EXPECT_EQ(f.model.Status().rfind("Chart saved to ", 0) == 0, saved) << f.model.Status();
    }
    EXPECT_EQ(test::ReadFile(png), "chart");
    EXPECT_EQ(test::ReadFile(folder / "b.pdf"), "chart");
}

}  // namespace
}  // namespace tavrin
