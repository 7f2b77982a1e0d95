#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace tavrin {
namespace {

using test::ModelFixture;

// Types a text one character at a time, as a user at the keyboard does.
void TypeCharacters(MainWindowModel& model, EntryId entry, const std::string& text) {
    for (const char c : text) {
        model.TypeText(entry, model.State().Entry(entry).Text + c);
    }
}

void ChooseUnitText(MainWindowModel& model, EntryId entry, const std::string& unit) {
    const int index = model.State().Entry(entry).IndexOf(unit);
    ASSERT_GE(index, 0) << unit;
    ASSERT_TRUE(model.ChooseUnit(entry, index)) << unit;
}

std::string Caption(const MainWindowModel& model, LabelId label) {
    return model.Labels().Get(label);
}

// What a fresh window shows before the user touches it.
TEST(StartUp, ShowsACwLaserWithTheDefaultUnits) {
    ModelFixture f;
    const LaserInputState& s = f.model.State();
    std::vector<std::string> units;
    for (const EntryId entry :
         {EntryId::WaveLength, EntryId::MaxPower, EntryId::MaxEnergy, EntryId::RepRate, EntryId::PulseWidth}) {
        units.push_back(s.Entry(entry).Unit());
    }
    EXPECT_EQ(units, (std::vector<std::string>{"nm", "W", "J", "Hz", "ms"}));
    EXPECT_EQ(s.RepRate().Units, (std::vector<std::string>{"MHz", "kHz", "Hz"}));
    EXPECT_FALSE(s.Beam2().Visible || s.MaxEnergy().Visible || s.RepRate().Visible || s.PulseWidth().Visible);
    EXPECT_FALSE(f.model.OptionEnabled(OptionId::PowerEnergy));
    EXPECT_EQ(Caption(f.model, LabelId::Beam), " Beam Diameter (mm)");
    EXPECT_EQ(Caption(f.model, LabelId::VPeakPower), " ");
    EXPECT_EQ(f.model.Grid().ColumnCount(), 8);
}

TEST(EntryFilter, CutsWhatIsNotANumber) {
    struct Case {
        const char* typed;
        const char* kept;
        char decimal;
    };
    for (const Case& c : {Case{"12a", "12", '.'}, Case{"a", "", '.'}, Case{"-", "", '.'}, Case{".", "", '.'},
                          Case{"0.", "0.", '.'}, Case{"2,5", "2,5", '.'}, Case{"2.5", "2.5", ','},
                          Case{"2,5", "2,5", ','}, Case{"1E5", "15", '.'}, Case{"5\u00B5", "5", '.'}}) {
        ModelFixture typed({}, c.decimal);
        TypeCharacters(typed.model, EntryId::Beam1, c.typed);
        EXPECT_EQ(typed.model.State().Beam1().Text, c.kept) << c.typed;
    }
}

// A paste loses one character at a time from its end until what is left is
// a number; long pastes are cut without delay.
TEST(EntryFilter, PastesAreCutToANumber) {
    ModelFixture f;
    f.model.ClickOption(OptionId::Pulsed);
    f.model.TypeText(EntryId::RepRate, "1x2");
    EXPECT_EQ(f.model.State().RepRate().Text, "1");
    f.model.TypeText(EntryId::PulseWidth, "1e-3");
    EXPECT_EQ(f.model.State().PulseWidth().Text, "1e-3");
    f.model.TypeText(EntryId::Beam1, std::string(1'000'000, '9') + "x");
    EXPECT_EQ(f.model.State().Beam1().Text, std::string(308, '9'));
    EXPECT_TRUE(std::isfinite(f.model.State().BeamArea));
    f.model.TypeText(EntryId::Beam1, std::string(1'000'000, 'q'));
    EXPECT_EQ(f.model.State().Beam1().Text, "");
}

// A wavelength changes no derived value; an emptied power keeps what was shown.
TEST(Recomputation, OnlyANumberThatCountsChangesWhatIsShown) {
    ModelFixture f;
    test::TypeTexts(f.model, {{EntryId::Beam1, "2"}, {EntryId::MaxPower, "5"}});
    const LabelCaptions before = f.model.Labels();
    f.model.TypeText(EntryId::WaveLength, "1064");
    EXPECT_EQ(f.model.Labels(), before);
    f.model.TypeText(EntryId::MaxPower, "");
    EXPECT_EQ(f.model.State().AveragePower, 5);
    EXPECT_EQ(Caption(f.model, LabelId::VAvgPower), " 5.0");
}

TEST(BeamArea, FollowsTheShapeAndItsSides) {
    struct Case {
        const char* length;  // or the diameter
        const char* width;   // nullptr: a circle
        const char* caption;
        double area;  // cm2
        double size;  // mm
    };
    for (const Case& c :
         {Case{"2", nullptr, " 3.1", 0.03141592, 2}, Case{"3", "4", " 12.0", 0.12, 5}, Case{"0", "4", " 0.0", 0, 4}}) {
        ModelFixture f;
        if (c.width != nullptr) {
            f.model.ClickOption(OptionId::Rectangular);
            EXPECT_EQ(Caption(f.model, LabelId::Beam), " Rectangle (mm * mm)");
            f.model.TypeText(EntryId::Beam2, c.width);
        }
        f.model.TypeText(EntryId::Beam1, c.length);
        EXPECT_EQ(Caption(f.model, LabelId::VArea), c.caption) << c.length;
        EXPECT_DOUBLE_EQ(f.model.State().BeamArea, c.area) << c.length;
        EXPECT_EQ(f.model.State().BeamSize, c.size) << c.length;
    }
}

// A beam whose area cannot be worked out shows no area and no densities,
// rather than those of the beam before.
TEST(BeamShape, ARectangleWithOneSideBlanksWhatItCannotComputeAndACircleKeepsTheWidth) {
    ModelFixture f;
    f.model.TypeText(EntryId::MaxPower, "5");
    f.model.TypeText(EntryId::Beam1, "2");
    f.model.ClickOption(OptionId::Rectangular);
    EXPECT_EQ(f.model.State().BeamArea, 0);
    EXPECT_EQ(Caption(f.model, LabelId::VArea), "");
    EXPECT_EQ(Caption(f.model, LabelId::VPowerDensity), "");
    EXPECT_EQ(Caption(f.model, LabelId::VPeakPowerDensity), " ");
    EXPECT_EQ(Caption(f.model, LabelId::MPeakPowerDensity), " W/cm2");

    // Switching to a circle and back keeps the width's text.
    f.model.TypeText(EntryId::Beam2, "4");
    f.model.ClickOption(OptionId::Circular);
    EXPECT_FALSE(f.model.State().Beam2().Visible);
    EXPECT_EQ(f.model.State().Beam2().Text, "4");
    EXPECT_FALSE(f.model.TypeText(EntryId::Beam2, "5"));
    f.model.ClickOption(OptionId::Rectangular);
    EXPECT_EQ(f.model.State().Beam2().Text, "4");
}

// Pulsed, 2 mm beam, 10 mJ, 10 ns, 1 kHz, typed in the window's usual order.
void TypePulsedLaser(MainWindowModel& model) {
    model.ClickOption(OptionId::Pulsed);
    model.TypeText(EntryId::Beam1, "2");
    ChooseUnitText(model, EntryId::MaxEnergy, "mJ");
    TypeCharacters(model, EntryId::MaxEnergy, "10");
    ChooseUnitText(model, EntryId::PulseWidth, "ns");
    TypeCharacters(model, EntryId::PulseWidth, "10");
    ChooseUnitText(model, EntryId::RepRate, "kHz");
    TypeCharacters(model, EntryId::RepRate, "1");
}

TEST(PulsedLaser, TiesPowerToEnergyAndRate) {
    for (const char dec : {'.', ','}) {
        ModelFixture f({}, dec);
        TypePulsedLaser(f.model);
        const LaserInputState& s = f.model.State();
        EXPECT_EQ(s.MaxPower().Text, "10");
        EXPECT_EQ(s.MaxPower().Unit(), "W");
        EXPECT_EQ(s.PeakPower, 1e6);
        EXPECT_EQ(s.AveragePower, 10);
        EXPECT_DOUBLE_EQ(s.PowerDensity, 10 / 0.03141592);
        EXPECT_DOUBLE_EQ(s.EnergyDensity, 0.01 / 0.03141592);
        const auto withSeparator = [dec](std::string text) {
            std::replace(text.begin(), text.end(), '.', dec);
            return text;
        };
        EXPECT_EQ(Caption(f.model, LabelId::VPeakPower), withSeparator(" 1000.0"));
        EXPECT_EQ(Caption(f.model, LabelId::MPeakPower), " kW");
        EXPECT_EQ(Caption(f.model, LabelId::VAvgPower), withSeparator(" 10.0"));
        EXPECT_EQ(Caption(f.model, LabelId::VPowerDensity), withSeparator(" 318.3"));
        EXPECT_EQ(Caption(f.model, LabelId::VPeakPowerDensity), withSeparator(" 31.8"));
        EXPECT_EQ(Caption(f.model, LabelId::MPeakPowerDensity), " MW/cm2");
        EXPECT_EQ(Caption(f.model, LabelId::VEnergyDensity), withSeparator(" 0.3"));
        EXPECT_EQ(Caption(f.model, LabelId::MEnergyDensity), " J/cm2");
        EXPECT_EQ(Caption(f.model, LabelId::Power), " (Max Power)");
        EXPECT_FALSE(s.Updating);
        EXPECT_TRUE(f.messages.shown.empty());
    }
}

// The power written back from energy and rate is re-ranged one unit at a
// time, from the unit the power list shows, into [1, 1000) where a unit allows.
TEST(CoupledEntries, EnergyAndRateWriteThePower) {
    struct Case {
        const char* energy;
        const char* energyUnit;
        const char* rate;
        const char* rateUnit;
        const char* power;
        const char* powerUnit;
        const char* startUnit = "W";
    };
    for (const Case& c : {Case{"1", "mJ", "100", "Hz", "100", "mW"}, Case{"10", "mJ", "1", "kHz", "10", "W"},
                          Case{"0.5", "J", "1", "Hz", "500", "mW"}, Case{"0.0005", "J", "1", "Hz", "500", "uW"},
                          Case{"1500", "J", "1", "Hz", "1.5", "kW"}, Case{"2500000", "J", "1", "Hz", "2500", "kW"},
                          Case{"-5", "J", "1", "Hz", "-5000000000000", "pW"}, Case{"3", "J", "", "Hz", "0", "mW"},
                          Case{"0.01", "mJ", "1", "Hz", "10", "uW"}, Case{"1", "J", "1", "Hz", "1", "W"},
                          Case{"1000", "J", "1", "Hz", "1", "kW"}, Case{"0.5", "pJ", "1", "Hz", "0.5", "pW"},
                          Case{"2000", "kJ", "1", "Hz", "2000", "kW", "kW"}, Case{"3", "J", "", "Hz", "0", "W", "kW"},
                          Case{"3", "J", "", "Hz", "0", "pW", "pW"}, Case{"-3", "pJ", "1", "Hz", "-3", "pW", "pW"},
                          Case{"500", "J", "1", "Hz", "500", "W", "kW"}, Case{"2", "uJ", "1", "Hz", "2", "uW", "pW"},
                          Case{"1000", "J", "1", "Hz", "1", "kW", "mW"}}) {
        ModelFixture f;
        f.model.ClickOption(OptionId::Pulsed);
        f.model.TypeText(EntryId::Beam1, "2");
        ChooseUnitText(f.model, EntryId::MaxPower, c.startUnit);
        ChooseUnitText(f.model, EntryId::RepRate, c.rateUnit);
        f.model.TypeText(EntryId::RepRate, c.rate);
        ChooseUnitText(f.model, EntryId::MaxEnergy, c.energyUnit);
        f.model.TypeText(EntryId::MaxEnergy, c.energy);
        EXPECT_EQ(f.model.State().MaxPower().Text, c.power) << c.energy << c.energyUnit;
        EXPECT_EQ(f.model.State().MaxPower().Unit(), c.powerUnit) << c.energy << c.energyUnit;
    }
}

TEST(CoupledEntries, PowerLeadsWhenTypedIntoThePowerField) {
    ModelFixture f;
    f.model.ClickOption(OptionId::Pulsed);
    f.model.TypeText(EntryId::Beam1, "2");
    ChooseUnitText(f.model, EntryId::RepRate, "kHz");
    f.model.TypeText(EntryId::RepRate, "1");
    ChooseUnitText(f.model, EntryId::MaxEnergy, "mJ");
    f.model.TypeText(EntryId::MaxPower, "5");
    EXPECT_EQ(f.model.State().MaxEnergy().Text, "5");
    EXPECT_EQ(f.model.State().MaxEnergy().Unit(), "mJ");
    EXPECT_DOUBLE_EQ(f.model.State().EnergyDensity, 0.005 / 0.03141592);
}

TEST(CoupledEntries, EnergyWithoutRateShowsNoPowerDensity) {
    ModelFixture f;
    f.model.ClickOption(OptionId::Pulsed);
    f.model.TypeText(EntryId::Beam1, "2");
    f.model.TypeText(EntryId::MaxEnergy, "3");
    EXPECT_EQ(f.model.State().MaxPower().Text, "0");
    EXPECT_EQ(Caption(f.model, LabelId::VPowerDensity), "");
    EXPECT_EQ(Caption(f.model, LabelId::MPowerDensity), " W/cm2");
}

TEST(CoupledEntries, ACwLaserIsNotTiedToItsHiddenPulseEntries) {
    ModelFixture f;
    f.model.ClickOption(OptionId::Pulsed);
    f.model.TypeText(EntryId::MaxEnergy, "3");
    f.model.ClickOption(OptionId::CW);
    f.model.TypeText(EntryId::MaxPower, "100");
    f.model.TypeText(EntryId::Beam1, "2");
    EXPECT_EQ(f.model.State().MaxPower().Text, "100");
    EXPECT_EQ(f.model.State().MaxEnergy().Text, "3");
    EXPECT_EQ(f.model.State().AveragePower, 100);
    EXPECT_DOUBLE_EQ(f.model.State().EnergyDensity, 3 / 0.03141592);

    ModelFixture g;
    g.model.ClickOption(OptionId::Pulsed);
    g.model.TypeText(EntryId::RepRate, "10");
    g.model.ClickOption(OptionId::CW);
    g.model.TypeText(EntryId::Beam1, "2");
    g.model.TypeText(EntryId::MaxPower, "100");
    EXPECT_EQ(g.model.State().MaxEnergy().Text, "");
}

// A single pulse has no power and no average power.
TEST(ModeRules, SinglePulseAndBackToCw) {
    ModelFixture f;
    EXPECT_FALSE(f.model.ClickOption(OptionId::PowerEnergy));
    f.model.ClickOption(OptionId::Pulsed);
    f.model.TypeText(EntryId::MaxPower, "5");
    ASSERT_TRUE(f.model.ClickOption(OptionId::PowerEnergy));
    const LaserInputState& s = f.model.State();
    EXPECT_EQ(s.RepRate().Text, "1");
    EXPECT_EQ(s.RepRate().Unit(), "Single");
    EXPECT_FALSE(s.RepRate().Enabled);
    EXPECT_FALSE(s.MaxPower().Enabled);
    EXPECT_FALSE(s.MaxPower().UnitEnabled);
    EXPECT_EQ(s.MaxPower().Text, "");
    EXPECT_FALSE(f.model.TypeText(EntryId::MaxPower, "5"));
    test::TypeTexts(f.model, {{EntryId::Beam1, "2"}, {EntryId::MaxEnergy, "1"}});
    EXPECT_EQ(Caption(f.model, LabelId::VAvgPower), "");
    EXPECT_EQ(Caption(f.model, LabelId::MAvgPower), " W");
    EXPECT_EQ(Caption(f.model, LabelId::VPowerDensity), "");
    EXPECT_EQ(Caption(f.model, LabelId::VEnergyDensity), " 31.8");
    EXPECT_EQ(Caption(f.model, LabelId::MEnergyDensity), " J/cm2");

    f.model.ClickOption(OptionId::CW);
    EXPECT_TRUE(f.model.OptionSelected(OptionId::Power));
    EXPECT_FALSE(f.model.OptionEnabled(OptionId::PowerEnergy));
    EXPECT_EQ(s.RepRate().Units, (std::vector<std::string>{"MHz", "kHz", "Hz"}));
    EXPECT_EQ(s.RepRate().Unit(), "Hz");
    EXPECT_TRUE(s.MaxPower().Enabled);
    EXPECT_TRUE(s.MaxPower().UnitEnabled);
    EXPECT_EQ(s.RepRate().Text, "1");
    EXPECT_FALSE(s.RepRate().Visible);
}

TEST(ModeRules, ResetInSinglePulseModeKeepsTheUnit) {
    ModelFixture f;
    f.model.ClickOption(OptionId::Pulsed);
    f.model.ClickOption(OptionId::PowerEnergy);
    f.model.TypeText(EntryId::MaxEnergy, "5");
    f.model.ResetData();
    const LaserInputState& s = f.model.State();
    EXPECT_EQ(s.RepRate().Text, "");
    EXPECT_EQ(s.RepRate().Unit(), "Single");
    EXPECT_FALSE(s.RepRate().Enabled);
    ChooseUnitText(f.model, EntryId::RepRate, "Hz");
    EXPECT_TRUE(s.RepRate().Enabled);
    EXPECT_TRUE(s.MaxPower().Enabled);
    EXPECT_TRUE(f.model.OptionSelected(OptionId::PowerEnergy));
}

TEST(ResetData, EmptiesEntriesAndResultsKeepsChoices) {
    ModelFixture f({{test::WideHead("A")}, test::UniformCoatings(1e6)});
    f.model.TypeText(EntryId::Beam1, "2");
    f.model.TypeText(EntryId::WaveLength, "1064");
    ChooseUnitText(f.model, EntryId::MaxPower, "mW");
    f.model.TypeText(EntryId::MaxPower, "500");
    f.model.Explore();
    f.model.CellSelected(1);
    ASSERT_TRUE(f.model.PrintEnabled());
    f.model.ResetData();
    for (int i = 0; i < kEntryCount; ++i) {
        EXPECT_TRUE(f.model.State().Entry(static_cast<EntryId>(i)).Text.empty());
    }
    for (const LabelId label : {LabelId::VArea, LabelId::VAvgPower, LabelId::VArdo, LabelId::VRVX, LabelId::VPeakPower,
                                LabelId::VPowerDensity}) {
        EXPECT_EQ(Caption(f.model, label), "") << LabelName(label);
    }
    EXPECT_EQ(f.model.Grid().RowCount(), 0);
    EXPECT_EQ(f.model.Grid().ColumnCount(), 8);
    EXPECT_FALSE(f.model.PrintEnabled());
    EXPECT_EQ(f.model.State().MaxPower().Unit(), "mW");
}

// A zero pulse width or rate gives no derived value, and no overflow warning.
// The ceiling is a percentage above 0 and at most 100 (empty for 100):
// anything else is refused with the focus in its entry. Reset Data empties
// it and reads thresholds as listed again.
TEST(ResetData, TheCeilingIsRefusedOutOfRangeAndResetClearsTheRules) {
    struct Case {
        const char* typed;
        const char* kept;  // what the entry filter leaves
        bool refused;
    };
    for (const Case& c : {Case{"0", "0", true}, Case{"150", "150", true}, Case{"100.5", "100.5", true},
                          Case{"50 %", "50 ", false}, Case{"100", "100", false}, Case{"0,5", "0,5", false}}) {
        ModelFixture f({{test::WideHead("H")}, test::UniformCoatings(1000)});
        test::TypeCw(f.model);
        f.model.TypeMaxShare(c.typed);
        EXPECT_EQ(f.model.State().MaxShare, c.kept) << c.typed;
        EXPECT_EQ(f.model.Explore() == ExploreOutcome::Invalid, c.refused) << c.typed;
        EXPECT_EQ(f.model.MaxShareFocused(), c.refused) << c.typed;
        if (c.refused) {
            ASSERT_EQ(f.messages.shown.size(), 1u);
            EXPECT_EQ(f.messages.shown[0].text,
                      "Sorry, the share of each limit to use at most must be a number above 0 and at most 100 (%).");
        }
        f.model.ChooseThresholdRule(ThresholdRule::Conservative);
        f.model.ResetData();
        EXPECT_EQ(f.model.State().MaxShare, "");
        EXPECT_EQ(f.model.State().Threshold, ThresholdRule::AsListed);
        EXPECT_FALSE(f.model.MaxShareFocused());
    }
}

TEST(ZeroDivisors, GiveNothingRatherThanAWarning) {
    ModelFixture width;
    width.model.ClickOption(OptionId::Pulsed);
    test::TypeTexts(width.model, {{EntryId::Beam1, "2"}, {EntryId::MaxEnergy, "1"}, {EntryId::PulseWidth, "0"}});
    EXPECT_EQ(width.model.State().PeakPower, 0);

    ModelFixture rate;
    rate.model.ClickOption(OptionId::Pulsed);
    test::TypeTexts(rate.model, {{EntryId::Beam1, "2"}, {EntryId::RepRate, "0"}, {EntryId::MaxPower, "5"}});
    EXPECT_EQ(rate.model.State().EnergyDensity, 0);
    EXPECT_EQ(rate.model.State().MaxEnergy().Text, "");
    EXPECT_TRUE(width.messages.shown.empty() && rate.messages.shown.empty());
}

TEST(Overflow, WarnsAndGoesOnWithZero) {
    ModelFixture f;
    f.model.TypeText(EntryId::Beam1, "2");
    ChooseUnitText(f.model, EntryId::MaxPower, "kW");
    f.model.TypeText(EntryId::MaxPower, "1e307");
    ASSERT_FALSE(f.messages.shown.empty());
    for (const Message& message : f.messages.shown) {
        EXPECT_EQ(message,
                  (Message{"S\u00EC, scrivici valore troppo elevato se abbinato agli altri parametri impostati",
                           "Attenzione", MessageIcon::Exclamation, MessageButtons::Ok}));
    }
    EXPECT_EQ(f.model.State().AveragePower, 0);
    EXPECT_EQ(f.model.State().PeakPower, 0);
    EXPECT_TRUE(std::isfinite(f.model.State().PowerDensity));
}

// Emptying the beam empties the area and both densities.
TEST(Densities, NoBeamAreaEmptiesTheAreaAndBothDensities) {
    ModelFixture f;
    f.model.ClickOption(OptionId::Pulsed);
    test::TypeTexts(f.model, {{EntryId::Beam1, "2"}, {EntryId::MaxEnergy, "1"}, {EntryId::RepRate, "1"}});
    ASSERT_GT(f.model.State().PowerDensity, 0);
    f.model.TypeText(EntryId::Beam1, "");
    EXPECT_EQ(Caption(f.model, LabelId::VArea), "");
    EXPECT_EQ(f.model.State().PowerDensity, 0);
    EXPECT_EQ(Caption(f.model, LabelId::VPowerDensity), "");
    EXPECT_EQ(f.model.State().EnergyDensity, 0);
    EXPECT_EQ(Caption(f.model, LabelId::VEnergyDensity), "");
    EXPECT_EQ(Caption(f.model, LabelId::MEnergyDensity), " J/cm2");
}

}  // namespace
}  // namespace tavrin
