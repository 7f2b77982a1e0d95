#include <gtest/gtest.h>

#include <cmath>

#include "beam/display_ladder.h"
#include "beam/number_entry.h"
#include "support/decimal_separator.h"
#include "test_support.h"

namespace tavrin {
namespace {

struct TextCase {
    const char* text;
    double pointValue;  // TextToValue with "." as the regional separator
    double commaValue;  // with ","

    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.text; }
};

class TextToValueCases : public testing::TestWithParam<TextCase> {};

TEST_P(TextToValueCases, ReadsEitherSeparator) {
    test::RecordingMessages messages;
    EXPECT_EQ(NumberEntry('.', messages).TextToValue(GetParam().text), GetParam().pointValue) << GetParam().text;
    EXPECT_EQ(NumberEntry(',', messages).TextToValue(GetParam().text), GetParam().commaValue) << GetParam().text;
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToValueCases,
                         testing::Values(TextCase{"2.5", 2.5, 2.5}, TextCase{"2,5", 2.5, 2.5}, TextCase{"", 0, 0},
                                         TextCase{"abc", 0, 0}, TextCase{"1.000,5", 0, 0}, TextCase{"1,000.5", 0, 0},
                                         TextCase{"1E-05", 1e-05, 1e-05}, TextCase{" 7 ", 7, 7}, TextCase{"-3", -3, -3},
                                         TextCase{"0.", 0, 0}, TextCase{".5", 0.5, 0.5}, TextCase{"1e400", 0, 0},
                                         TextCase{"+4", 4, 4}, TextCase{"12a", 0, 0}, TextCase{"1e-400", 0, 0},
                                         TextCase{"1e-310", 1e-310, 1e-310}));

struct NumericCase {
    const char* text;
    bool underPoint;
    bool underComma;

    friend void PrintTo(const NumericCase& c, std::ostream* os) { *os << c.text; }
};

class NumericTestCases : public testing::TestWithParam<NumericCase> {};

TEST_P(NumericTestCases, FollowsTheRegionalGrammar) {
    test::RecordingMessages messages;
    const NumberEntry point('.', messages);
    const NumberEntry comma(',', messages);
    const std::string text = GetParam().text;
    EXPECT_EQ(point.IsNumeric(text), GetParam().underPoint) << text;
    EXPECT_EQ(comma.IsNumeric(text), GetParam().underComma) << text;
    // The one-pass scan agrees with the test on the whole text.
    EXPECT_EQ(point.LongestNumericPrefix(text) == text.size() && !text.empty(), GetParam().underPoint) << text;
    EXPECT_EQ(comma.LongestNumericPrefix(text) == text.size() && !text.empty(), GetParam().underComma) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumericTestCases,
    testing::Values(
        NumericCase{"0.", true, true}, NumericCase{"1,5", true, true}, NumericCase{"1,000.5", true, false},
        NumericCase{".5", true, false}, NumericCase{" 7 ", true, true}, NumericCase{"1E-05", true, true},
        NumericCase{"-3", true, true}, NumericCase{".", false, false}, NumericCase{"-", false, false},
        NumericCase{",", false, false}, NumericCase{",5", false, true}, NumericCase{"1e", false, false},
        NumericCase{"1.2.3", false, true}, NumericCase{"1.000,5", false, true}, NumericCase{"abc", false, false},
        NumericCase{"", false, false}, NumericCase{"2,", true, true}, NumericCase{"1e+", false, false},
        NumericCase{"1e308", true, true}, NumericCase{"1e309", false, false}, NumericCase{"- 1", false, false},
        NumericCase{"1 2", false, false}, NumericCase{"+.5e3", true, false},
        NumericCase{
            "0.0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "00000000000000000000000000000000000000000003",
            true, true},
        NumericCase{"1e-99999999999", true, true}, NumericCase{"0.1e309", true, false},
        NumericCase{"10e308", false, false}));

TEST(NumericPrefix, LongInputsAreScannedOnce) {
    test::RecordingMessages messages;
    const NumberEntry numbers('.', messages);
    EXPECT_EQ(numbers.LongestNumericPrefix(std::string(1'000'000, '7') + "x"), 308u);
    EXPECT_EQ(numbers.LongestNumericPrefix("0." + std::string(1'000'000, '0') + "1x"), 1'000'003u);
    EXPECT_EQ(numbers.LongestNumericPrefix(std::string(1'000'000, 'a')), 0u);
    EXPECT_EQ(numbers.LongestNumericPrefix("17976931348623157" + std::string(292, '0') + "9"), 309u);
    EXPECT_EQ(numbers.LongestNumericPrefix("17976931348623159" + std::string(292, '0')), 308u);
}

struct ScaleCase {
    double value;
    const char* prefix;
    double toBase;

    friend void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.prefix; }
};

class ToBaseUnitCases : public testing::TestWithParam<ScaleCase> {};

TEST_P(ToBaseUnitCases, ScalesByThePrefixRow) {
    test::RecordingMessages messages;
    const NumberEntry numbers('.', messages);
    EXPECT_EQ(numbers.ToBaseUnit(GetParam().value, GetParam().prefix), GetParam().toBase);
    EXPECT_EQ(numbers.FromBaseUnit(GetParam().toBase, GetParam().prefix), GetParam().value);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ToBaseUnitCases,
                         testing::Values(ScaleCase{5, "m", 0.005}, ScaleCase{3, "M", 3000000}, ScaleCase{2, "K", 2},
                                         ScaleCase{532, "nm", 0.532}, ScaleCase{1.064, "um", 1.064},
                                         ScaleCase{7, "Single", 7}, ScaleCase{7, "", 7}, ScaleCase{1.5, "k", 1500},
                                         ScaleCase{3, "n", 3 / 1e9}, ScaleCase{3, "f", 3 / 1e15},
                                         ScaleCase{3, "p", 3 / 1e12}, ScaleCase{3, "u", 3 / 1e6}));

TEST(ToBaseUnit, OverflowWarnsOnceAndGivesZero) {
    test::RecordingMessages messages;
    const NumberEntry numbers('.', messages);
    EXPECT_EQ(numbers.ToBaseUnit(1e305, "M"), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], OverflowMessage());
    EXPECT_EQ(messages.shown[0].text,
              "S\u00EC, scrivici valore troppo elevato se abbinato agli altri parametri impostati");
    EXPECT_EQ(messages.shown[0].title, "Attenzione");
    EXPECT_EQ(numbers.FromBaseUnit(1e300, "f"), 0);
    EXPECT_EQ(messages.shown.size(), 2u);
}

struct FormatCase {
    double value;
    const char* text;    // DoubleToText with "."
    const char* tenths;  // the "0.0" pattern with "."

    friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.text; }
};

class FormatCases : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatCases, WritesWithTheRegionalSeparator) {
    test::RecordingMessages messages;
    const NumberEntry point('.', messages);
    const NumberEntry comma(',', messages);
    EXPECT_EQ(point.DoubleToText(GetParam().value), GetParam().text);
    EXPECT_EQ(point.FormatTenths(GetParam().value), GetParam().tenths);
    std::string commaTenths = GetParam().tenths;
    std::replace(commaTenths.begin(), commaTenths.end(), '.', ',');
    EXPECT_EQ(comma.FormatTenths(GetParam().value), commaTenths);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatCases,
    testing::Values(
        FormatCase{1e-05, "1E-05", "0.0"}, FormatCase{0.0001, "0.0001", "0.0"},
        FormatCase{1e15, "1E+15", "1000000000000000.0"}, FormatCase{0.3 * 1000, "300", "300.0"},
        FormatCase{-0.0, "0", "0.0"}, FormatCase{0.25, "0.25", "0.3"}, FormatCase{0.75, "0.75", "0.8"},
        FormatCase{-0.25, "-0.25", "-0.3"}, FormatCase{-0.04, "-0.04", "0.0"}, FormatCase{3.141592, "3.141592", "3.1"},
        FormatCase{12.345, "12.345", "12.3"}, FormatCase{1.5, "1.5", "1.5"}, FormatCase{0.35, "0.35", "0.3"},
        FormatCase{2.5 / 3, "0.833333333333333", "0.8"},
        FormatCase{
            -1.7976931348623157e308, "-1.7976931348623157E+308",
            "-179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540"
            "4589535143824642343213268894641827684675467035375169860499105765512820762454900903893289440758685084551339"
            "42304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368.0"}));

TEST(FormatWhole, RoundsHalvesAwayFromZero) {
    test::RecordingMessages messages;
    const NumberEntry numbers('.', messages);
    EXPECT_EQ(numbers.FormatWhole(42.3), "42");
    EXPECT_EQ(numbers.FormatWhole(42.5), "43");
    EXPECT_EQ(numbers.FormatWhole(43.5), "44");
    EXPECT_EQ(numbers.FormatWhole(99.49), "99");
    EXPECT_EQ(numbers.FormatWhole(-0.4), "0");
}

struct LadderCase {
    Quantity quantity;
    double value;
    const char* valueCaption;
    const char* unitCaption;

    friend void PrintTo(const LadderCase& c, std::ostream* os) { *os << c.valueCaption; }
};

class LadderCases : public testing::TestWithParam<LadderCase> {};

TEST_P(LadderCases, PicksTheRow) {
    test::RecordingMessages messages;
    const NumberEntry numbers('.', messages);
    EXPECT_EQ(Ladder(GetParam().quantity, GetParam().value, numbers),
              (DisplayCaptions{GetParam().valueCaption, GetParam().unitCaption}))
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LadderCases,
    testing::Values(
        LadderCase{Quantity::PeakPower, 12345, " 12.3", " kW"}, LadderCase{Quantity::PeakPower, 0, " ", " W"},
        LadderCase{Quantity::PeakPower, 0.000001, " < 0,1", " mW"},
        LadderCase{Quantity::PeakPower, -5, " < 0,1", " mW"}, LadderCase{Quantity::PeakPower, 1e4, " 10.0", " kW"},
        LadderCase{Quantity::PeakPower, 0.1, " 0.1", " W"}, LadderCase{Quantity::PeakPower, 1e-5, " 0.0", " mW"},
        LadderCase{Quantity::PeakPower, 1e6, " 1000.0", " kW"}, LadderCase{Quantity::PeakPower, 1e7, " 10.0", " MW"},
        LadderCase{Quantity::PeakPower, 1e10, " 10.0", " GW"}, LadderCase{Quantity::PeakPowerDensity, 0, " ", " W/cm2"},
        LadderCase{Quantity::PeakPowerDensity, 2.5e12, " 2500.0", " GW/cm2"},
        LadderCase{Quantity::PeakPowerDensity, 0.05, " 50.0", " mW/cm2"},
        LadderCase{Quantity::AveragePower, 0, "", " W"}, LadderCase{Quantity::AveragePower, 1e10, " 10000000.0", " kW"},
        LadderCase{Quantity::AveragePower, 0.0005, " 0.5", " mW"},
        LadderCase{Quantity::AveragePower, 1e-6, " < 0,1", " mW"}, LadderCase{Quantity::PowerDensity, 0, "", " W/cm2"},
        LadderCase{Quantity::PowerDensity, 1e4, " 10.0", " kW/cm2"},
        LadderCase{Quantity::EnergyDensity, 0.000001, " <0,1", " mJ/cm2"},
        LadderCase{Quantity::EnergyDensity, 0, "", " J/cm2"},
        LadderCase{Quantity::EnergyDensity, 0.02, " 20.0", " mJ/cm2"},
        LadderCase{Quantity::EnergyDensity, 2e4, " 20.0", " kJ/cm2"}));

TEST(Ladder, SmallMarkKeepsItsCommaUnderEitherSeparator) {
    test::RecordingMessages messages;
    const NumberEntry comma(',', messages);
    EXPECT_EQ(Ladder(Quantity::PeakPower, 1e-7, comma).value, " < 0,1");
    EXPECT_EQ(Ladder(Quantity::PeakPower, 12345, comma).value, " 12,3");
}

// The window and the command line read the separator by this one rule.
TEST(DecimalSeparator, FollowsTheLocaleName) {
    for (const auto& [name, separator] : std::vector<std::pair<const char*, char>>{{"C", '.'},
                                                                                   {"POSIX", '.'},
                                                                                   {"C.UTF-8", '.'},
                                                                                   {"en_US.UTF-8", '.'},
                                                                                   {"it_IT.UTF-8", ','},
                                                                                   {"it_IT@euro", ','},
                                                                                   {"de_DE", ','},
                                                                                   {"de_CH.UTF-8", '.'},
                                                                                   {"xx_YY.UTF-8", '.'},
                                                                                   {"", '.'}}) {
        EXPECT_EQ(DecimalSeparatorOf(name), separator) << name;
    }
}

}  // namespace
}  // namespace tavrin
