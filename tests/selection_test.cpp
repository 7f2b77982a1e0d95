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

using test::KeptCount;
using test::ModelFixture;
using test::TypeCw;
using test::TypePulsed;
using test::TypeSinglePulse;
using test::WideHead;

// ---- validation -------------------------------------------------------------

// Each case edits a complete CW laser: 5 mm, 1064 nm, 100 W.
TEST(Validation, StopsAtTheFirstMissingEntry) {
    struct Case {
        Laser laser;
        Shape shape;
        std::vector<std::pair<EntryId, const char*>> texts;
        const char* missing;  // empty: passes
        EntryId focus;
    };
    using enum EntryId;
    const Laser cw = Laser::CW;
    const Laser pulsed = Laser::Pulsed;
    const Shape round = Shape::Circular;
    const Case cases[] = {{cw, round, {}, "", Beam1},
                          {cw, round, {{Beam1, ""}, {WaveLength, ""}}, "\u201CBeam Diameter\u201D value", Beam1},
                          {cw, round, {{Beam1, " "}}, "", Beam1},  // a blank beam is not empty
                          {cw, Shape::Rectangular, {{Beam1, ""}}, "beam length value(L).", Beam1},
                          {cw, Shape::Rectangular, {}, "beam width value (W). del beam", Beam2},
                          {cw, round, {{WaveLength, ""}}, "wavelength value.", WaveLength},
                          {cw, round, {{MaxPower, ""}}, "MaxPower value.", MaxPower},
                          {pulsed, round, {{MaxPower, ""}}, "MaxEnergy value.", MaxEnergy},
                          {pulsed, round, {}, "RepRate value.", RepRate},
                          {pulsed, round, {{RepRate, "1"}}, "PulseWidth value.", PulseWidth},
                          {pulsed, round, {{RepRate, "1"}, {PulseWidth, "1"}}, "", Beam1}};
    for (const Case& c : cases) {
        LaserInputState state;
        state.LaserType = c.laser;
        state.BeamShape = c.shape;
        for (const auto& [entry, text] : {std::pair{Beam1, "5"}, {WaveLength, "1064"}, {MaxPower, "100"}}) {
            state.Entry(entry).Text = text;
        }
        for (const auto& [entry, text] : c.texts) {
            state.Entry(entry).Text = text;
        }
        const auto failure = ValidateInputs(state);
        if (*c.missing == '\0') {
            EXPECT_FALSE(failure.has_value()) << failure->message.text;
            continue;
        }
        ASSERT_TRUE(failure.has_value()) << c.missing;
        EXPECT_EQ(failure->message,
                  (Message{"Sorry not enough data to find a product. Please, fill in " + std::string(c.missing), "Info",
                           MessageIcon::Exclamation, MessageButtons::Ok}));
        EXPECT_EQ(failure->focus, c.focus);
    }
}

// Every entry filled in, but with values the search cannot use: each case
// types its texts over a CW laser (5 mm, 1064 nm, 100 W) or a pulsed one
// (5 mm, 1064 nm, 1 mJ at 1 kHz, 10 ns).
TEST(Validation, RefusesValuesTheSearchCannotUse) {
    struct Case {
        Laser laser;
        std::vector<std::pair<EntryId, const char*>> texts;
        const char* message;  // empty: the search runs
        EntryId focus;
    };
    using enum EntryId;
    const Laser cw = Laser::CW;
    const Laser pulsed = Laser::Pulsed;
    const Case cases[] = {
        {cw, {}, "", Beam1},
        {cw, {{Beam1, "0"}}, "Sorry, the beam diameter must be greater than 0 mm.", Beam1},
        {cw, {{Beam1, "-5"}}, "Sorry, the beam diameter must be greater than 0 mm.", Beam1},
        {cw, {{Beam1, "1,,0"}}, "Sorry, the beam diameter must be greater than 0 mm.", Beam1},
        {cw, {{Beam1, "1,,0"}}, "Sorry, the beam diameter must be greater than 0 mm.", Beam1},
        {cw, {{Beam1, "1e-200"}}, "Sorry, the beam area cannot be computed from these sizes.", Beam1},
        {cw, {{Beam1, "1e200"}}, "Sorry, the beam area cannot be computed from these sizes.", Beam1},
        {cw, {{WaveLength, "0"}}, "Sorry, the wavelength must be greater than 0.", WaveLength},
        {cw, {{MaxPower, "0"}}, "Sorry, the max power must be greater than 0.", MaxPower},
        {cw, {{MaxPower, "-1"}}, "Sorry, the max power must be greater than 0.", MaxPower},
        {cw,
         {{Beam1, "1e-150"}, {MaxPower, "1e300"}},
         "Sorry, the power density cannot be computed from these values.",
         Beam1},
        {pulsed, {}, "", Beam1},
        {pulsed, {{MaxEnergy, "0"}}, "Sorry, the max energy must be greater than 0.", MaxEnergy},
        {pulsed, {{RepRate, "0"}}, "Sorry, the rep rate must be greater than 0.", RepRate},
        {pulsed, {{PulseWidth, "0"}}, "Sorry, the pulse width must be greater than 0.", PulseWidth},
        {pulsed,
         {{Beam1, "1e-150"}, {MaxEnergy, "1e300"}},
         "Sorry, the energy density cannot be computed from these values.",
         Beam1},
    };
    for (const Case& c : cases) {
        ModelFixture f({{WideHead("A")}, test::UniformCoatings(1e6)});
        if (c.laser == pulsed) {
            f.model.ClickOption(OptionId::Pulsed);
            test::TypeTexts(f.model,
                            {{Beam1, "5"}, {WaveLength, "1064"}, {MaxEnergy, "1"}, {RepRate, "1"}, {PulseWidth, "10"}});
        } else {
            test::TypeTexts(f.model, {{Beam1, "5"}, {WaveLength, "1064"}, {MaxPower, "100"}});
        }
        for (const auto& [entry, text] : c.texts) {
            f.model.TypeText(entry, text);
        }
        f.messages.shown.clear();
        const ExploreOutcome outcome = f.model.Explore();
        if (*c.message == '\0') {
            EXPECT_EQ(outcome, ExploreOutcome::Found);
            continue;
        }
        EXPECT_EQ(outcome, ExploreOutcome::Invalid) << c.message;
        ASSERT_EQ(f.messages.shown.size(), 1u) << c.message;
        EXPECT_EQ(f.messages.shown[0], (Message{c.message, "Info", MessageIcon::Exclamation, MessageButtons::Ok}));
        EXPECT_EQ(f.model.Focus(), c.focus) << c.message;
    }
}

// ---- damage threshold ---------------------------------------------------------

TEST(Threshold, InterpolatesWithinTheDecade) {
    CoatingTable table;
    // Column k holds 100 - 5k, so every segment has its own slope.
    for (int k = 0; k < 12; ++k) {
        table.Set(3, k, 100 - 5.0 * k);
    }
    // Every decade segment is read off its middle (at 2.8 times its lower end,
    // a fifth of the way up), so that a wrong divisor, a line running the wrong
    // way or a segment reading the wrong columns each moves the value.
    struct Row {
        double tau;
        double expected;
        const char* where;
    };
    const Row rows[] = {{2, 100, "beyond 1 s"},
                        {1, 100, "1 s"},
                        {0.28, 96, "100 ms to 1 s"},
                        {0.1, 95, "100 ms"},
                        {0.028, 91, "10 ms to 100 ms"},
                        {0.01, 90, "10 ms"},
                        {0.0028, 86, "1 ms to 10 ms"},
                        {2.8e-4, 81, "100 us to 1 ms"},
                        {2.8e-5, 76, "10 us to 100 us"},
                        {2.8e-6, 71, "1 us to 10 us"},
                        {1e-6, 70, "1 us"},
                        {2.8e-7, 66, "100 ns to 1 us"},
                        {2.8e-8, 61, "10 ns to 100 ns"},
                        {2.8e-9, 56, "1 ns to 10 ns"},
                        {1e-9, 55, "1 ns"},
                        {2.8e-10, 51, "100 ps to 1 ns"},
                        {1e-10, 50, "100 ps"},
                        {5e-11, 50, "10 ps to 100 ps: the 100 ps value holds"},
                        {1e-11, 50, "10 ps"},
                        {2.8e-12, 46, "1 ps to 10 ps"},
                        {1e-12, 45, "1 ps"},
                        {5e-13, 45, "below 1 ps"},
                        {0, 45, "0"},
                        {-1, 45, "below 0"}};
    for (const Row& row : rows) {
        EXPECT_NEAR(DamageThresholdAt(table, 3, Laser::Pulsed, row.tau), row.expected, 1e-9) << row.where;
    }
    table.Set(2, 0, 10);
    table.Set(2, 1, 5);
    EXPECT_DOUBLE_EQ(DamageThresholdAt(table, 2, Laser::Pulsed, 0.55), 7.5);
    EXPECT_EQ(DamageThresholdAt(table, 2, Laser::CW, std::nullopt), 10);
    EXPECT_EQ(DamageThresholdAt(table, 2, Laser::Pulsed, std::nullopt), 0);
    EXPECT_EQ(DamageThresholdAt(table, 11, Laser::Pulsed, 0.5), 0);
    EXPECT_EQ(DamageThresholdAt(table, -1, Laser::CW, std::nullopt), 0);
}

// ---- search ---------------------------------------------------------------------

TEST(Search, CriteriaRejectOnlyBeyondTheLimit) {
    struct Case {
        const char* what;
        std::function<void(HeadRecord&)> edit;
        bool kept;
        std::function<void(CoatingTable&)> editCoatings = [](CoatingTable&) {};
    };
    using H = HeadRecord&;
    const Case cases[] = {{"power max equal", [](H h) { h.PowerMax = 1; }, true},
                          {"power max below", [](H h) { h.PowerMax = 0; }, false},
                          {"aperture just wide", [](H h) { h.Aperture = 12; }, true},
                          {"aperture too narrow", [](H h) { h.Aperture = 11; }, false},
                          {"density below", [](H h) { h.PowerDensityMax = 1; }, false},
                          {"density above", [](H h) { h.PowerDensityMax = 2; }, true},
                          {"min power equal", [](H h) { h.PowerMin = 1; }, true},
                          {"min power above", [](H h) { h.PowerMin = 1.01; }, false},
                          {"energy max equal", [](H h) { h.EnergyMax = 1; }, true},
                          {"energy max below", [](H h) { h.EnergyMax = 0; }, false},
                          {"energy min ignored with a rate", [](H h) { h.EnergyMin = 5; }, true},
                          {"wavelength at the short end", [](H h) { h.WaveMin = 1.064; }, true},
                          {"wavelength at the long end", [](H h) { h.WaveMax = 1.064; }, true},
                          {"wavelength beyond", [](H h) { h.WaveMax = 1.06; }, false},
                          {"probe for a power meter", [](H h) { h.HeadType = "probe"; }, false},
                          // A limit that is not a number is never passed.
                          {"min power NaN", [](H h) { h.PowerMin = std::nan(""); }, false},
                          {"min power -inf", [](H h) { h.PowerMin = -HUGE_VAL; }, false},
                          {"wavelength min NaN", [](H h) { h.WaveMin = std::nan(""); }, false},
                          {"wavelength max inf", [](H h) { h.WaveMax = HUGE_VAL; }, false},
                          {"threshold NaN", [](H) {}, false, [](CoatingTable& c) { c.Set(1, 3, std::nan("")); }},
                          {"threshold inf", [](H) {}, false, [](CoatingTable& c) { c.Set(1, 2, HUGE_VAL); }}};
    for (const Case& c : cases) {
        HeadRecord head = WideHead("H");
        c.edit(head);
        CoatingTable coatings = test::UniformCoatings(100);
        c.editCoatings(coatings);
        EXPECT_EQ(KeptCount({{head}, coatings}, TypePulsed), c.kept ? 1 : 0) << c.what;
    }
}

TEST(Search, DamageThresholdEqualToTheEnergyDensityIsEnough) {
    ModelFixture probe;
    TypePulsed(probe.model);
    const double density = probe.model.State().EnergyDensity;
    ASSERT_NEAR(density, 1.2732, 1e-4);  // 1 J over a 10 mm circle
    for (const auto& [threshold, kept] :
         std::vector<std::pair<double, int>>{{density, 1}, {std::nextafter(density, 0.0), 0}, {2, 1}, {1.2, 0}}) {
        EXPECT_EQ(KeptCount({{WideHead("H")}, test::UniformCoatings(threshold)}, TypePulsed), kept) << threshold;
    }
}

TEST(Search, RepetitivePulsesOnCoatingsAboveFourUseTheRowsThreeFurtherDown) {
    struct Case {
        int coatingNo;
        int weakRow;  // the only row whose threshold the laser exceeds
        int keptWithRate;
        int keptSingle;
    };
    for (const Case& c : {Case{4, 7, 1, 1}, Case{4, 4, 0, 0}, Case{5, 8, 0, 1}, Case{5, 5, 1, 0}, Case{6, 9, 0, 1},
                          Case{7, 10, 0, 1}}) {
        CoatingTable coatings = test::UniformCoatings(100);
        for (int column = 0; column < 12; ++column) {
            coatings.Set(c.weakRow, column, 0.5);
        }
        HeadRecord head = WideHead("H");
        head.CoatingNo = static_cast<std::int16_t>(c.coatingNo);
        EXPECT_EQ(KeptCount({{head}, coatings}, TypePulsed), c.keptWithRate) << c.coatingNo << " / " << c.weakRow;
        EXPECT_EQ(KeptCount({{head}, coatings}, TypeSinglePulse), c.keptSingle) << c.coatingNo << " / " << c.weakRow;
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
// A 75 mm beam needs exactly 87 mm (75 x 1.16 is 87.0 as a double): equal is enough.
TEST(Search, PowerDensityAndApertureEqualToTheLimitAreEnough) {
    const auto square = [](MainWindowModel& m) {
        m.ClickOption(OptionId::Rectangular);
        test::TypeTexts(
            m,
            {{EntryId::Beam1, "10"}, {EntryId::Beam2, "10"}, {EntryId::WaveLength, "1064"}, {EntryId::MaxPower, "50"}});
    };
    for (const auto& [limit, kept] : std::vector<std::pair<std::int16_t, int>>{{50, 1}, {49, 0}}) {
        HeadRecord head = WideHead("H");
        head.PowerDensityMax = limit;
        EXPECT_EQ(KeptCount({{head}, test::UniformCoatings(100)}, square), kept) << limit;
    }
    struct Case {
        const char* beam;
        std::int16_t aperture;
        int kept;
    };
    for (const Case& c : {Case{"86.2", 100, 1}, Case{"86.5", 100, 0}, Case{"86.206", 100, 1}, Case{"86.21", 100, 0},
                          Case{"75", 87, 1}, Case{"75", 86, 0}}) {
        HeadRecord head = WideHead("H");
        head.Aperture = c.aperture;
        head.PowerDensityMax = 32000;
        const auto round = [&c](MainWindowModel& m) {
            test::TypeTexts(m, {{EntryId::Beam1, c.beam}, {EntryId::WaveLength, "1064"}, {EntryId::MaxPower, "10"}});
        };
        EXPECT_EQ(KeptCount({{head}, test::UniformCoatings(100)}, round), c.kept) << c.beam << " / " << c.aperture;
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
    ModelFixture f({{probe, WideHead("meter")}, test::UniformCoatings(100)});
    TypeCw(f.model);
    for (const char* kept : {"meter", "probe"}) {
        f.model.Explore();
        ASSERT_EQ(f.model.Grid().RowCount(), 1);
        EXPECT_EQ(f.model.Grid().CellAt(1, 1), kept);
        f.model.ClickOption(OptionId::Probe);
    }
}

// Whole percents of the head's power-density limit between 5 and 99; a zero
// limit gives the smallest text.
TEST(Margins, ShowWholePercentsBetweenFiveAndNinetyNine) {
    const NumberEntry numbers('.');
    HeadRecord head = WideHead("H");
    head.PowerDensityMax = 10000;
    const std::pair<double, const char*> cases[] = {{4.99, "<5 %"},  {5, "5 %"},     {42.3, "42 %"}, {42.5, "43 %"},
                                                    {99.49, "99 %"}, {99.5, "99 %"}, {100, "99 %"},  {-3, "<5 %"}};
    LaserInputState state;
    for (const auto& [margin, text] : cases) {
        state.PowerDensity = margin * 100;
        EXPECT_EQ(MarginText(LimitsOf(head), SearchContext(state, numbers, CoatingTable()), numbers), text) << margin;
    }
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
    test::TypeTexts(f.model, {{EntryId::Beam1, "10"},
                              {EntryId::WaveLength, "1064"},
                              {EntryId::MaxEnergy, "0"},
                              {EntryId::RepRate, "1"},
                              {EntryId::PulseWidth, "1"},
                              {EntryId::MaxEnergy, "1"}});
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
    // The widths are the design's: the view sizes the margin column, the last, to the rest of the grid.
    EXPECT_EQ(grid.ColumnWidth(2), 105);
    EXPECT_EQ(grid.ColumnWidth(1), 125);
    EXPECT_TRUE(f.model.PrintEnabled());

    heads.pop_back();
    ModelFixture g({heads, test::UniformCoatings(100)});
    TypeCw(g.model);
    g.model.Explore();
    EXPECT_EQ(g.model.Grid().RowCount(), 17);
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
    std::string monitors;
    for (const LabelId id :
         {LabelId::VArdo, LabelId::VBrisa, LabelId::VRVX, LabelId::VQDM, LabelId::VSela, LabelId::VVantic}) {
        monitors += f.model.Labels().Get(id);
    }
    EXPECT_EQ(monitors, "abrqsv");

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

TEST_F(DataSheets, MissingSheetOffersTheProductIndex) {
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        for (const std::string& name :
             std::vector<std::string>{"Missing", ".hidden", "../escape", std::string("nul\0x", 5), "ctl\x01"}) {
            ModelFixture f({{WideHead(name)}, test::UniformCoatings(100)}, '.', folder);
            test::WriteFile(folder / "pdf" / ".hidden.pdf", "%PDF");
            test::WriteFile(folder / "escape.pdf", "%PDF");
            f.messages.answer = answer;
            test::TypeTexts(f.model,
                            {{EntryId::Beam1, "10"}, {EntryId::WaveLength, "1064"}, {EntryId::MaxPower, "10"}});
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

// A slash in a head's name becomes a dash in its sheet's name. Installations
// link documents into the pdf folder: a link to an ordinary file opens.
TEST_F(DataSheets, OpenTheSheetOfTheActivatedRow) {
    namespace fs = std::filesystem;
    test::WriteFile(folder / "pdf" / "A-B-C.pdf", "%PDF");
    test::WriteFile(folder / "shared" / "sheet.pdf", "%PDF");
    fs::create_directories(folder / "shared" / "dir.pdf");
    fs::create_symlink(folder / "shared" / "sheet.pdf", folder / "pdf" / "Linked.pdf");
    fs::create_symlink(folder / "shared" / "dir.pdf", folder / "pdf" / "Folder.pdf");
    fs::create_symlink(folder / "shared" / "gone.pdf", folder / "pdf" / "Dangling.pdf");
    fs::create_symlink(folder / "shared" / "sheet.pdf", folder / "pdf" / "TQ.pdf");
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"A/B/C", "A-B-C", true}, {"Linked", "Linked", true}, {"Folder", "", false}, {"Dangling", "", false}};
    for (const auto& [name, sheet, opens] : cases) {
        ModelFixture f({{WideHead(name)}, test::UniformCoatings(100)}, '.', folder);
        f.messages.answer = MessageAnswer::Cancel;  // no product index instead
        TypeCw(f.model);
        f.model.Explore();
        f.model.CellActivated(5);  // no such row
        f.model.CellActivated(1);
        const std::string opened = (folder / "pdf" / (std::string(sheet) + ".pdf")).string();
        EXPECT_EQ(f.opener.opened, opens ? std::vector<std::string>{opened} : std::vector<std::string>{}) << name;
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
        EXPECT_EQ(f.messages.shown[0],
                  (Message{f.opener.opened.back() + " could not be opened: no program of the desktop took it.",
                           "Tavrin", MessageIcon::Exclamation, MessageButtons::Ok}));
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
