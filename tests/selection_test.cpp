#include <gtest/gtest.h>

#include <cmath>

#include "form/launcher.h"
#include "selection/damage_threshold.h"
#include "selection/head_details.h"
#include "selection/head_search.h"
#include "selection/validation.h"
#include "test_support.h"

namespace tavrin {
namespace {

using test::ModelFixture;
using test::TypeCw;
using test::TypePulsed;
using test::TypeSinglePulse;
using test::WideHead;

// ---- validation -------------------------------------------------------------

struct ValidationCase {
    const char* what;
    std::function<void(LaserInputState&)> setUp;
    const char* message;  // empty: passes
    EntryId focus;

    friend void PrintTo(const ValidationCase& c, std::ostream* os) { *os << c.what; }
};

LaserInputState CompleteCw() {
    LaserInputState s;
    s.Beam1().Text = "5";
    s.WaveLength().Text = "1064";
    s.MaxPower().Text = "100";
    return s;
}

class Validation : public testing::TestWithParam<ValidationCase> {};

TEST_P(Validation, StopsAtTheFirstMissingEntry) {
    LaserInputState state = CompleteCw();
    GetParam().setUp(state);
    const auto failure = ValidateInputs(state);
    if (std::string(GetParam().message).empty()) {
        EXPECT_FALSE(failure.has_value());
        return;
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message.text,
              std::string("Sorry not enough data to find a product. Please, fill in ") + GetParam().message);
    EXPECT_EQ(failure->message.title, "Info");
    EXPECT_EQ(failure->message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(failure->message.buttons, MessageButtons::Ok);
    EXPECT_EQ(failure->focus, GetParam().focus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Validation,
    testing::Values(
        ValidationCase{"complete CW", [](LaserInputState&) {}, "", EntryId::Beam1},
        ValidationCase{"empty beam and wavelength",
                       [](LaserInputState& s) {
                           s.Beam1().Text.clear();
                           s.WaveLength().Text.clear();
                       },
                       "\u201CBeam Diameter\u201D value", EntryId::Beam1},
        ValidationCase{"blank beam is not empty", [](LaserInputState& s) { s.Beam1().Text = " "; }, "", EntryId::Beam1},
        ValidationCase{"rectangle with both sizes empty",
                       [](LaserInputState& s) {
                           s.BeamShape = Shape::Rectangular;
                           s.Beam1().Text.clear();
                       },
                       "beam length value(L).", EntryId::Beam1},
        ValidationCase{"rectangle without width", [](LaserInputState& s) { s.BeamShape = Shape::Rectangular; },
                       "beam width value (W). del beam", EntryId::Beam2},
        ValidationCase{"no wavelength", [](LaserInputState& s) { s.WaveLength().Text.clear(); }, "wavelength value.",
                       EntryId::WaveLength},
        ValidationCase{"CW without power", [](LaserInputState& s) { s.MaxPower().Text.clear(); }, "MaxPower value.",
                       EntryId::MaxPower},
        ValidationCase{"pulsed with neither power nor energy",
                       [](LaserInputState& s) {
                           s.LaserType = Laser::Pulsed;
                           s.MaxPower().Text.clear();
                       },
                       "MaxEnergy value.", EntryId::MaxEnergy},
        ValidationCase{"pulsed with power but no energy and no rate",
                       [](LaserInputState& s) { s.LaserType = Laser::Pulsed; }, "RepRate value.", EntryId::RepRate},
        ValidationCase{"pulsed without pulse width",
                       [](LaserInputState& s) {
                           s.LaserType = Laser::Pulsed;
                           s.RepRate().Text = "1";
                       },
                       "PulseWidth value.", EntryId::PulseWidth},
        ValidationCase{"complete pulsed",
                       [](LaserInputState& s) {
                           s.LaserType = Laser::Pulsed;
                           s.RepRate().Text = "1";
                           s.PulseWidth().Text = "1";
                       },
                       "", EntryId::Beam1}));

// ---- damage threshold ---------------------------------------------------------

CoatingTable Decades() {
    CoatingTable table;
    // Column k holds 100 - 5k, so every segment has its own slope.
    for (int k = 0; k < 12; ++k) {
        table.Set(3, k, 100 - 5.0 * k);
    }
    return table;
}

struct ThresholdCase {
    double tau;
    double expected;

    friend void PrintTo(const ThresholdCase& c, std::ostream* os) { *os << c.tau; }
};

class Threshold : public testing::TestWithParam<ThresholdCase> {};

TEST_P(Threshold, InterpolatesWithinTheDecade) {
    EXPECT_NEAR(DamageThresholdAt(Decades(), 3, Laser::Pulsed, GetParam().tau), GetParam().expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, Threshold,
                         testing::Values(ThresholdCase{2, 100}, ThresholdCase{1, 100}, ThresholdCase{0.55, 97.5},
                                         ThresholdCase{0.1, 95}, ThresholdCase{0.01, 90}, ThresholdCase{1e-6, 70},
                                         ThresholdCase{5.5e-6, 72.5}, ThresholdCase{1e-9, 55}, ThresholdCase{1e-10, 50},
                                         ThresholdCase{5e-11, 50}, ThresholdCase{1e-11, 50},
                                         ThresholdCase{5.5e-12, 47.5}, ThresholdCase{1e-12, 45},
                                         ThresholdCase{5e-13, 45}, ThresholdCase{0, 45}, ThresholdCase{-1, 45}));

TEST(Threshold, LiteralExamples) {
    CoatingTable table;
    table.Set(2, 0, 10);
    table.Set(2, 1, 5);
    EXPECT_DOUBLE_EQ(DamageThresholdAt(table, 2, Laser::Pulsed, 0.55), 7.5);
    EXPECT_EQ(DamageThresholdAt(table, 2, Laser::CW, std::nullopt), 10);
    EXPECT_EQ(DamageThresholdAt(table, 2, Laser::Pulsed, std::nullopt), 0);
    EXPECT_EQ(DamageThresholdAt(table, 11, Laser::Pulsed, 0.5), 0);
    EXPECT_EQ(DamageThresholdAt(table, -1, Laser::CW, std::nullopt), 0);
}

// ---- search ---------------------------------------------------------------------

struct CriterionCase {
    const char* what;
    std::function<void(HeadRecord&)> edit;
    bool kept;
    std::function<void(CoatingTable&)> editCoatings = [](CoatingTable&) {};

    friend void PrintTo(const CriterionCase& c, std::ostream* os) { *os << c.what; }
};

class Criteria : public testing::TestWithParam<CriterionCase> {};

TEST_P(Criteria, RejectOnlyBeyondTheLimit) {
    HeadRecord head = WideHead("H");
    GetParam().edit(head);
    CoatingTable coatings = test::UniformCoatings(100);
    GetParam().editCoatings(coatings);

    ModelFixture f({{head}, coatings});
    TypePulsed(f.model);
    f.model.Explore();
    EXPECT_EQ(f.model.Grid().RowCount(), GetParam().kept ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Criteria,
    testing::Values(
        CriterionCase{"power max equal", [](HeadRecord& h) { h.PowerMax = 1; }, true},
        CriterionCase{"power max below", [](HeadRecord& h) { h.PowerMax = 0; }, false},
        CriterionCase{"aperture just wide", [](HeadRecord& h) { h.Aperture = 12; }, true},
        CriterionCase{"aperture too narrow", [](HeadRecord& h) { h.Aperture = 11; }, false},
        CriterionCase{"density below", [](HeadRecord& h) { h.PowerDensityMax = 1; }, false},
        CriterionCase{"density above", [](HeadRecord& h) { h.PowerDensityMax = 2; }, true},
        CriterionCase{"min power equal", [](HeadRecord& h) { h.PowerMin = 1; }, true},
        CriterionCase{"min power above", [](HeadRecord& h) { h.PowerMin = 1.01; }, false},
        CriterionCase{"energy max equal", [](HeadRecord& h) { h.EnergyMax = 1; }, true},
        CriterionCase{"energy max below", [](HeadRecord& h) { h.EnergyMax = 0; }, false},
        CriterionCase{"energy min ignored with a rate", [](HeadRecord& h) { h.EnergyMin = 5; }, true},
        CriterionCase{"wavelength at the short end", [](HeadRecord& h) { h.WaveMin = 1.064; }, true},
        CriterionCase{"wavelength at the long end", [](HeadRecord& h) { h.WaveMax = 1.064; }, true},
        CriterionCase{"wavelength beyond", [](HeadRecord& h) { h.WaveMax = 1.06; }, false},
        CriterionCase{"probe for a power meter", [](HeadRecord& h) { h.HeadType = "probe"; }, false},
        // A limit that is not a number is never passed.
        CriterionCase{"min power NaN", [](HeadRecord& h) { h.PowerMin = std::nan(""); }, false},
        CriterionCase{"min power -inf", [](HeadRecord& h) { h.PowerMin = -HUGE_VAL; }, false},
        CriterionCase{"wavelength min NaN", [](HeadRecord& h) { h.WaveMin = std::nan(""); }, false},
        CriterionCase{"wavelength max inf", [](HeadRecord& h) { h.WaveMax = HUGE_VAL; }, false},
        CriterionCase{"threshold NaN", [](HeadRecord&) {}, false, [](CoatingTable& c) { c.Set(1, 3, std::nan("")); }},
        CriterionCase{"threshold inf", [](HeadRecord&) {}, false, [](CoatingTable& c) { c.Set(1, 2, HUGE_VAL); }}));

TEST(Search, DamageThresholdEqualToTheEnergyDensityIsEnough) {
    ModelFixture probe;
    TypePulsed(probe.model);
    const double density = probe.model.State().EnergyDensity;
    ASSERT_NEAR(density, 1.2732, 1e-4);  // 1 J over a 10 mm circle
    for (const auto& [threshold, kept] :
         std::vector<std::pair<double, int>>{{density, 1}, {std::nextafter(density, 0.0), 0}, {2, 1}, {1.2, 0}}) {
        ModelFixture f({{WideHead("H")}, test::UniformCoatings(threshold)});
        TypePulsed(f.model);
        f.model.Explore();
        EXPECT_EQ(f.model.Grid().RowCount(), kept) << threshold;
    }
}

TEST(Search, RepetitivePulsesOnCoatingsAboveFourUseTheRowsThreeFurtherDown) {
    struct Case {
        int coatingNo;
        int weakRow;  // the only row whose threshold the laser exceeds
        bool keptWithRate;
        bool keptSingle;
    };
    for (const Case& c : {Case{4, 7, true, true}, Case{4, 4, false, false}, Case{5, 8, false, true},
                          Case{5, 5, true, false}, Case{6, 9, false, true}, Case{7, 10, false, true}}) {
        CoatingTable coatings = test::UniformCoatings(100);
        for (int column = 0; column < 12; ++column) {
            coatings.Set(c.weakRow, column, 0.5);
        }
        HeadRecord head = WideHead("H");
        head.CoatingNo = static_cast<std::int16_t>(c.coatingNo);

        ModelFixture hertz({{head}, coatings});
        TypePulsed(hertz.model);
        hertz.model.Explore();
        EXPECT_EQ(hertz.model.Grid().RowCount(), c.keptWithRate ? 1 : 0) << c.coatingNo << " / " << c.weakRow;

        ModelFixture single({{head}, coatings});
        TypeSinglePulse(single.model);
        single.model.Explore();
        EXPECT_EQ(single.model.Grid().RowCount(), c.keptSingle ? 1 : 0) << c.coatingNo << " / " << c.weakRow;
    }
}

TEST(Search, LimitsThatDoNotMatchTheCatalogueAreNeverReadPastTheirEnd) {
    ModelFixture f({{WideHead("A"), WideHead("B")}, test::UniformCoatings(100)});
    TypeCw(f.model);
    LaserInputState state = f.model.State();
    const Catalogue& catalogue = f.model.Heads();
    for (const std::vector<HeadLimits>& limits : {std::vector<HeadLimits>{}, LimitsOf(catalogue.Heads)}) {
        ResultsGrid grid;
        SetupGrid(grid);
        SearchHeads(catalogue, limits, state, f.model.Numbers(), grid);
        EXPECT_EQ(grid.RowCount(), 2);
        EXPECT_EQ(grid.CellAt(2, GridColumn::Name), "B");
    }
    // More limits than heads: the details of an empty catalogue name no head.
    const SearchDetails details =
        ComputeDetails(Catalogue{{}, catalogue.Coatings}, LimitsOf(catalogue.Heads), state, f.model.Numbers());
    EXPECT_TRUE(details.kept.empty() && details.rejected.empty());
}

// A 10 mm square beam has an area of 1 cm2, so the power density is the power.
TEST(Search, APowerDensityEqualToTheLimitIsKept) {
    for (const auto& [limit, kept] : std::vector<std::pair<std::int16_t, bool>>{{50, true}, {49, false}}) {
        HeadRecord head = WideHead("H");
        head.PowerDensityMax = limit;
        ModelFixture f({{head}, test::UniformCoatings(100)});
        f.model.ClickOption(OptionId::Rectangular);
        f.model.TypeText(EntryId::Beam1, "10");
        f.model.TypeText(EntryId::Beam2, "10");
        f.model.TypeText(EntryId::WaveLength, "1064");
        f.model.TypeText(EntryId::MaxPower, "50");
        f.model.Explore();
        EXPECT_EQ(f.model.Grid().RowCount(), kept ? 1 : 0) << limit;
    }
}

TEST(Search, ApertureMustBeAtLeast116TimesTheBeam) {
    struct Case {
        const char* beam;
        std::int16_t aperture;
        bool kept;
    };
    // 75 mm needs exactly 87 mm (75 x 1.16 is 87.0 as a double): equal is enough.
    for (const Case& c : {Case{"86.2", 100, true}, Case{"86.5", 100, false}, Case{"86.206", 100, true},
                          Case{"86.21", 100, false}, Case{"75", 87, true}, Case{"75", 86, false}}) {
        HeadRecord head = WideHead("H");
        head.Aperture = c.aperture;
        head.PowerDensityMax = 32000;
        ModelFixture f({{head}, test::UniformCoatings(100)});
        f.model.TypeText(EntryId::Beam1, c.beam);
        f.model.TypeText(EntryId::WaveLength, "1064");
        f.model.TypeText(EntryId::MaxPower, "10");
        f.model.Explore();
        EXPECT_EQ(f.model.Grid().RowCount(), c.kept ? 1 : 0) << c.beam << " / " << c.aperture;
    }
}

TEST(Search, SinglePulseChecksTheMinimumEnergyNotPower) {
    HeadRecord head = WideHead("H");
    head.PowerMin = 1000;
    head.EnergyMin = 1.5;
    ModelFixture f({{head}, test::UniformCoatings(100)});
    TypeSinglePulse(f.model);
    f.model.Explore();
    EXPECT_EQ(f.model.Grid().RowCount(), 0);
    f.model.TypeText(EntryId::MaxEnergy, "1.5");
    f.model.Explore();
    EXPECT_EQ(f.model.Grid().RowCount(), 1);
}

TEST(Search, ProbesAreMatchedInAnyCase) {
    HeadRecord probe = WideHead("probe");
    probe.HeadType = "Thermal PROBE";
    HeadRecord meter = WideHead("meter");
    ModelFixture f({{probe, meter}, test::UniformCoatings(100)});
    TypeCw(f.model);
    f.model.Explore();
    ASSERT_EQ(f.model.Grid().RowCount(), 1);
    EXPECT_EQ(f.model.Grid().CellAt(1, 1), "meter");
    f.model.ClickOption(OptionId::Probe);
    f.model.Explore();
    ASSERT_EQ(f.model.Grid().RowCount(), 1);
    EXPECT_EQ(f.model.Grid().CellAt(1, 1), "probe");
}

struct MarginCase {
    double margin;  // percent of the head's power-density limit
    const char* text;

    friend void PrintTo(const MarginCase& c, std::ostream* os) { *os << c.margin; }
};

class Margins : public testing::TestWithParam<MarginCase> {};

TEST_P(Margins, ShowWholePercentsBetweenFiveAndNinetyNine) {
    test::RecordingMessages messages;
    const NumberEntry numbers('.', messages);
    LaserInputState state;
    state.PowerDensity = GetParam().margin * 100;
    HeadRecord head = WideHead("H");
    head.PowerDensityMax = 10000;
    const SearchContext context(state, numbers, CoatingTable());
    EXPECT_EQ(MarginText(LimitsOf(head), context, numbers), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, Margins,
                         testing::Values(MarginCase{4.99, "<5 %"}, MarginCase{5, "5 %"}, MarginCase{42.3, "42 %"},
                                         MarginCase{42.5, "43 %"}, MarginCase{99.49, "99 %"}, MarginCase{99.5, "99 %"},
                                         MarginCase{100, "99 %"}, MarginCase{-3, "<5 %"}));

TEST(Margins, ZeroLimitsGiveTheSmallestText) {
    test::RecordingMessages messages;
    const NumberEntry numbers('.', messages);
    LaserInputState state;
    HeadRecord head = WideHead("H");
    head.PowerDensityMax = 0;
    EXPECT_EQ(MarginText(LimitsOf(head), SearchContext(state, numbers, CoatingTable()), numbers), "<5 %");
    state.LaserType = Laser::Pulsed;
    state.EnergyDensity = 0;
    EXPECT_EQ(MarginText(LimitsOf(head), SearchContext(state, numbers, CoatingTable()), numbers), "<5 %");
}

TEST(Search, EachHeadGetsItsOwnMargin) {
    // The second head's threshold is 0 (row 0); it must not show the first head's margin.
    HeadRecord first = WideHead("first");
    HeadRecord second = WideHead("second");
    second.CoatingNo = 0;
    ModelFixture f({{first, second}, test::UniformCoatings(2)});
    f.model.ClickOption(OptionId::Pulsed);
    f.model.TypeText(EntryId::Beam1, "10");
    f.model.TypeText(EntryId::WaveLength, "1064");
    f.model.TypeText(EntryId::MaxEnergy, "0");
    f.model.TypeText(EntryId::RepRate, "1");
    f.model.TypeText(EntryId::PulseWidth, "1");
    f.model.TypeText(EntryId::MaxEnergy, "1");
    f.model.Explore();
    ASSERT_EQ(f.model.Grid().RowCount(), 1);
    EXPECT_EQ(f.model.Grid().CellAt(1, 2), "64 %");
}

TEST(Search, GridRowsFollowTheCatalogue) {
    std::vector<HeadRecord> heads;
    for (int i = 0; i < 18; ++i) {
        HeadRecord head = WideHead("H" + std::to_string(i % 17));
        head.ResRVX = "rvx" + std::to_string(i);
        heads.push_back(head);
    }
    ModelFixture f({heads, test::UniformCoatings(100)});
    TypeCw(f.model);
    EXPECT_EQ(f.model.Grid().ColumnWidth(2), 105);
    f.model.Explore();
    const ResultsGrid& grid = f.model.Grid();
    ASSERT_EQ(grid.RowCount(), 18);
    EXPECT_EQ(grid.CellAt(18, 1), "H0");
    EXPECT_EQ(grid.CellAt(18, 5), "rvx17");
    EXPECT_EQ(grid.RowTag(18), 17);
    EXPECT_EQ(grid.ColumnWidth(2), 115);
    EXPECT_EQ(grid.ColumnWidth(1), 125);
    EXPECT_TRUE(f.model.PrintEnabled());

    heads.pop_back();
    ModelFixture g({heads, test::UniformCoatings(100)});
    TypeCw(g.model);
    g.model.Explore();
    EXPECT_EQ(g.model.Grid().RowCount(), 17);
    EXPECT_EQ(g.model.Grid().ColumnWidth(2), 128);
}

// A cell in the row after the last appends that row; a hidden column keeps its cells.
TEST(ResultsGrid, AppendsAfterTheLastRowAndKeepsHiddenCells) {
    ResultsGrid grid;
    SetupGrid(grid);
    ASSERT_FALSE(grid.ColumnAt(5).shown);
    grid.SetCell(2, 1, "skipped");
    EXPECT_EQ(grid.RowCount(), 0);
    grid.SetCell(1, 5, "hidden");
    EXPECT_EQ(grid.CellAt(1, 5), "hidden");
    EXPECT_EQ(grid.CellAt(1, 9), "");
    grid.ClearGrid(false);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.ColumnCount(), 8);
}

// ---- Explore and the grid's events --------------------------------------------

TEST(Explore, NoHeadComposesTheRequestAndDisablesPrint) {
    ModelFixture f({{WideHead("A")}, test::UniformCoatings(100)});
    TypeCw(f.model);
    ASSERT_EQ(f.model.Explore(), ExploreOutcome::Found);
    f.model.CellSelected(1);
    EXPECT_EQ(f.model.Labels().Get(LabelId::VArdo), "a");
    f.model.TypeText(EntryId::MaxPower, "20000");
    EXPECT_EQ(f.model.Grid().RowCount(), 1);
    EXPECT_TRUE(f.model.PrintEnabled());
    EXPECT_EQ(f.model.Explore(), ExploreOutcome::NoneFound);
    EXPECT_EQ(f.model.Labels().Get(LabelId::VArdo), "");
    EXPECT_FALSE(f.model.PrintEnabled());
    ASSERT_EQ(f.requestWindow.texts.size(), 1u);
    EXPECT_EQ(f.requestWindow.shown, 1);
    EXPECT_EQ(f.requestWindow.texts[0], f.model.LastRequest());
}

TEST(Explore, PickingARowFillsTheMonitorLabels) {
    ModelFixture f({{WideHead("A")}, test::UniformCoatings(100)});
    TypePulsed(f.model);
    f.model.Explore();
    f.model.CellSelected(0);
    f.model.CellSelected(2);
    EXPECT_EQ(f.model.Labels().Get(LabelId::VRVX), "");
    f.model.CellSelected(1);
    const auto label = [&f](LabelId id) { return f.model.Labels().Get(id); };
    EXPECT_EQ(label(LabelId::VArdo), "a");
    EXPECT_EQ(label(LabelId::VBrisa), "b");
    EXPECT_EQ(label(LabelId::VRVX), "r");
    EXPECT_EQ(label(LabelId::VQDM), "q");
    EXPECT_EQ(label(LabelId::VSela), "s");
    EXPECT_EQ(label(LabelId::VVantic), "v");

    ModelFixture single({{WideHead("A")}, test::UniformCoatings(100)});
    TypeSinglePulse(single.model);
    single.model.Explore();
    single.model.CellSelected(1);
    EXPECT_EQ(single.model.Labels().Get(LabelId::VRVX), " n.a.");
    single.model.ChooseUnit(EntryId::RepRate, 2);
    single.model.CellSelected(1);
    EXPECT_EQ(single.model.Labels().Get(LabelId::VRVX), "r");
}

class DataSheets : public testing::Test {
protected:
    void SetUp() override {
        folder = test::FreshFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "pdf");
    }
    std::filesystem::path folder;
};

TEST_F(DataSheets, OpensTheSheetWithSlashesReplaced) {
    test::WriteFile(folder / "pdf" / "A-B-C.pdf", "%PDF");
    ModelFixture f({{WideHead("A/B/C")}, test::UniformCoatings(100)}, '.', folder);
    TypeCw(f.model);
    f.model.Explore();
    f.model.CellActivated(5);
    f.model.CellActivated(1);
    ASSERT_EQ(f.opener.opened.size(), 1u);
    EXPECT_EQ(f.opener.opened[0], (folder / "pdf" / "A-B-C.pdf").string());
}

TEST_F(DataSheets, MissingSheetOffersTheProductIndex) {
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        for (const std::string& name :
             std::vector<std::string>{"Missing", ".hidden", "../escape", std::string("nul\0x", 5), "ctl\x01"}) {
            ModelFixture f({{WideHead(name)}, test::UniformCoatings(100)}, '.', folder);
            test::WriteFile(folder / "pdf" / ".hidden.pdf", "%PDF");
            test::WriteFile(folder / "escape.pdf", "%PDF");
            f.messages.answer = answer;
            f.model.TypeText(EntryId::Beam1, "10");
            f.model.TypeText(EntryId::WaveLength, "1064");
            f.model.TypeText(EntryId::MaxPower, "10");
            f.model.Explore();
            f.model.CellActivated(1);
            ASSERT_EQ(f.messages.shown.size(), 1u) << name;
            EXPECT_EQ(f.messages.shown[0].text,
                      "Sorry, the PDF document containing the product features is not available here. Please, visit "
                      "the Corvane website to consult this document.");
            EXPECT_EQ(f.messages.shown[0].buttons, MessageButtons::OkCancel);
            EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::None);
            if (answer == MessageAnswer::Ok) {
                ASSERT_EQ(f.opener.opened.size(), 1u);
                EXPECT_NE(f.opener.opened[0].find("strumenti_misura_laser/INDEX.htm"), std::string::npos);
            } else {
                EXPECT_TRUE(f.opener.opened.empty());
            }
        }
    }
}

TEST_F(DataSheets, CurveButtonsOpenOnlyVisibleFiles) {
    test::WriteFile(folder / "pdf" / "UV_C.pdf", "%PDF");
    test::WriteFile(folder / "pdf" / ".TQ.pdf", "%PDF");
    ModelFixture f({}, '.', folder);
    f.model.OpenCurveDocument(CurveDocument::UVC);
    ASSERT_EQ(f.opener.opened.size(), 1u);
    EXPECT_EQ(f.opener.opened[0], (folder / "pdf" / "UV_C.pdf").string());
    f.model.OpenCurveDocument(CurveDocument::TQ);
    f.model.OpenCurveDocument(CurveDocument::GDK);
    EXPECT_EQ(f.opener.opened.size(), 1u);
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[0], (Message{"Sorry, the PDF document is not available here", "Tavrin",
                                            MessageIcon::None, MessageButtons::Ok}));
}

// Installations link documents into the pdf folder.
TEST_F(DataSheets, ALinkToAnOrdinaryFileOpens) {
    namespace fs = std::filesystem;
    test::WriteFile(folder / "shared" / "sheet.pdf", "%PDF");
    fs::create_directories(folder / "shared" / "dir.pdf");
    fs::create_symlink(folder / "shared" / "sheet.pdf", folder / "pdf" / "Linked.pdf");
    fs::create_symlink(folder / "shared" / "dir.pdf", folder / "pdf" / "Folder.pdf");
    fs::create_symlink(folder / "shared" / "gone.pdf", folder / "pdf" / "Dangling.pdf");
    fs::create_symlink(folder / "shared" / "sheet.pdf", folder / "pdf" / "TQ.pdf");
    for (const auto& [name, opens] :
         std::vector<std::pair<std::string, bool>>{{"Linked", true}, {"Folder", false}, {"Dangling", false}}) {
        ModelFixture f({{WideHead(name)}, test::UniformCoatings(100)}, '.', folder);
        TypeCw(f.model);
        f.model.Explore();
        f.model.CellActivated(1);
        EXPECT_EQ(f.opener.opened.size() == 1 && f.opener.opened[0] == (folder / "pdf" / (name + ".pdf")).string(),
                  opens)
            << name;
        EXPECT_EQ(f.messages.shown.size(), opens ? 0u : 1u) << name;
    }
    ModelFixture curves({}, '.', folder);
    curves.model.OpenCurveDocument(CurveDocument::TQ);
    EXPECT_EQ(curves.opener.opened, std::vector<std::string>{(folder / "pdf" / "TQ.pdf").string()});
}

TEST_F(DataSheets, AFailedOpeningIsTold) {
    test::WriteFile(folder / "pdf" / "A.pdf", "%PDF");
    test::WriteFile(folder / "pdf" / "TQ.pdf", "%PDF");
    ModelFixture f({{WideHead("A")}, test::UniformCoatings(100)}, '.', folder);
    f.opener.works = false;
    TypeCw(f.model);
    f.model.Explore();
    const std::vector<std::pair<std::function<void()>, std::string>> actions = {
        {[&f] { f.model.CellActivated(1); }, (folder / "pdf" / "A.pdf").string()},
        {[&f] { f.model.OpenCurveDocument(CurveDocument::TQ); }, (folder / "pdf" / "TQ.pdf").string()},
        {[&f] { f.model.OpenWebSite(); }, ""}};
    for (const auto& [action, target] : actions) {
        f.messages.shown.clear();
        action();
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0], CouldNotOpenMessage(f.opener.opened.back()));
        if (!target.empty()) {
            EXPECT_EQ(f.opener.opened.back(), target);
        }
    }
}

TEST(Launcher, OpensTheInformationTextOrSaysWhyNot) {
    const auto folder = test::FreshFolder("launcher-info");
    test::RecordingOpener opener;
    test::RecordingMessages messages;
    OpenInformationText(folder, opener, messages);
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find((folder / "CV-Tavrin.txt").string()), std::string::npos);
    test::WriteFile(folder / "CV-Tavrin.txt", "guide");
    OpenInformationText(folder, opener, messages);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], (folder / "CV-Tavrin.txt").string());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(LauncherIntroText().find("most suitable products for your application . "), std::string::npos);
}

}  // namespace
}  // namespace tavrin
