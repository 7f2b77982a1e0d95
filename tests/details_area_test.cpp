// The main window's details area without its widgets: what a pick shows, the
// "Why not?" list's texts and order, showing and hiding, saving the chart.
#include <gtest/gtest.h>

#include "test_support.h"

namespace tavrin {
namespace {

using test::ModelFixture;
using test::WideHead;

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
    EXPECT_EQ(Column(area, &WhyNotRow::name), (std::vector<std::string>{"B", "C", "D", "E", "F"}));
    EXPECT_EQ(Column(area, &WhyNotRow::criterion),
              (std::vector<std::string>{"Max power", "Max power density", "Wavelength", "Min power", "Product type"}));
    EXPECT_EQ(
        Column(area, &WhyNotRow::values),
        (std::vector<std::string>{"10 W > 1 W", "12,73 W/cm\u00B2 > 5 W/cm\u00B2",
                                  "1,064 \u00B5m outside 0,1 to 1 \u00B5m", "10 W < 50 W", "another product type"}));
    EXPECT_EQ(Column(area, &WhyNotRow::fits), (std::vector<std::string>{"", "fits with a beam of 16 mm", "", "", ""}));
    EXPECT_FALSE(area.Shown());
    EXPECT_EQ(area.Chart().kind, ChartKind::None);

    f.model.CellSelected(1);
    EXPECT_TRUE(area.Shown()) << "a pick shows the area";
    EXPECT_EQ(area.PickedHead(), 0u);
    const DetailsChart chart = area.Chart();
    EXPECT_EQ(chart.kind, ChartKind::PowerDensity);
    EXPECT_EQ(chart.title, "A: power density, <1 % of the limit");
    EXPECT_EQ(chart.laser, area.Details()->operatingPoint.powerDensity);
    EXPECT_EQ(chart.limit, 30000);
    EXPECT_EQ(chart.marginText, "<1 % of the limit");
    std::vector<std::string> bars;
    for (const UsageBar& bar : area.Bars()) {
        bars.push_back(bar.caption + " " + bar.text + (bar.tightest ? " tightest" : ""));
    }
    EXPECT_EQ(bars, (std::vector<std::string>{"Max power <1 %", "Aperture (1.16 \u00D7 beam) 12 % tightest",
                                              "Max power density <1 %", "Min power <1 %", "Wavelength in range",
                                              "Product type matches"}));

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

struct SortCase {
    WhyNotColumn column;
    bool ascending;
    std::vector<std::string> names;
};

// Rows without a fitting beam stay last both ways; a sort keeps the pick.
TEST(DetailsArea, TheWhyNotListSorts) {
    const std::vector<SortCase> cases = {
        {WhyNotColumn::Name, false, {"F", "E", "D", "C", "B"}},
        {WhyNotColumn::Criterion, false, {"F", "D", "E", "C", "B"}},
        {WhyNotColumn::Values, true, {"C", "E", "B", "D", "F"}},
        {WhyNotColumn::Values, false, {"B", "E", "C", "D", "F"}},
        {WhyNotColumn::Fits, false, {"C", "B", "D", "E", "F"}},
        {WhyNotColumn::Fits, true, {"C", "B", "D", "E", "F"}},
    };
    for (const SortCase& c : cases) {
        ModelFixture f(SixHeads());
        test::TypeCw(f.model);
        f.model.Explore();
        f.model.PickWhyNot(0);
        f.model.SortWhyNot(c.column, c.ascending);
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
    EXPECT_EQ(chart.curveName, "Coating row 1");
    EXPECT_EQ(chart.curve.size(), 121u);
    EXPECT_EQ(chart.point, std::make_pair(0.001, laser.energyDensity));
    EXPECT_EQ(chart.marginText, "1 % of the threshold");
    EXPECT_EQ(chart.yMin, 1);
    EXPECT_EQ(chart.yMax, 100);
    EXPECT_EQ(f.model.Details().ChartFileStem(), "A_1-damage-threshold");
}

class FakeChartFiles final : public ChartFiles {
public:
    std::optional<std::string> ChooseChartFile(const std::string& suggested) override {
        suggestedName = suggested;
        return chosen;
    }
    bool WriteChart(const std::string& path, ChartFormat format) override {
        written.emplace_back(path, format);
        return works;
    }
    std::optional<std::string> chosen;
    bool works = true;
    std::string suggestedName;
    std::vector<std::pair<std::string, ChartFormat>> written;
};

struct SaveCase {
    std::optional<std::string> chosen;
    bool works;
    std::optional<ChartFormat> written;
    const char* message;  // empty: none
};

TEST(DetailsArea, SavingTheChart) {
    const std::vector<SaveCase> cases = {
        {std::nullopt, true, std::nullopt, ""},
        {"/tmp/a.PNG", true, ChartFormat::Png, ""},
        {"/tmp/a.svg", true, ChartFormat::Svg, ""},
        {"/tmp/a.pdf", false, ChartFormat::Pdf, "The chart could not be written to /tmp/a.pdf."},
        {"/tmp/a.jpg", true, std::nullopt, "Save the chart as a .png, .svg or .pdf file."},
    };
    for (const SaveCase& c : cases) {
        ModelFixture f(SixHeads());
        test::TypeCw(f.model);
        f.model.Explore();
        FakeChartFiles files;
        files.chosen = c.chosen;
        files.works = c.works;
        f.model.SaveChart(files);
        EXPECT_TRUE(files.suggestedName.empty()) << "nothing picked, nothing to save";
        f.model.CellSelected(1);
        f.model.SaveChart(files);
        EXPECT_EQ(files.suggestedName, "A-power-density.png");
        EXPECT_EQ(files.written.empty(), !c.written.has_value()) << c.chosen.value_or("cancelled");
        if (c.written) {
            EXPECT_EQ(files.written[0], std::make_pair(*c.chosen, *c.written));
        }
        const auto& shown = f.messages.shown;
        EXPECT_EQ(shown.empty() ? std::string() : shown.back().text, c.message);
    }
}

}  // namespace
}  // namespace tavrin
