#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "beam/display_ladder.h"
#include "beam/engineering_text.h"
#include "beam/number_entry.h"
#include "selection/criterion_texts.h"
#include "selection/share_ceiling.h"
#include "support/decimal_separator.h"
#include "test_support.h"

namespace tavrin {
namespace {

// Number entries under "." and "," as the regional separator.
struct Entries {
    NumberEntry point{'.'};
    NumberEntry comma{','};
};

TEST(TextToValue, ReadsEitherSeparator) {
    struct Case {
        const char* text;
        double point;
        double comma;
    };
    Entries e;
    for (const Case& c : {Case{"2.5", 2.5, 2.5}, Case{"2,5", 2.5, 2.5}, Case{"", 0, 0}, Case{"abc", 0, 0},
                          Case{"1.000,5", 0, 0}, Case{"1,000.5", 0, 0}, Case{"1E-05", 1e-05, 1e-05}, Case{" 7 ", 7, 7},
                          Case{"-3", -3, -3}, Case{"0.", 0, 0}, Case{".5", 0.5, 0.5}, Case{"1e400", 0, 0},
                          Case{"+4", 4, 4}, Case{"12a", 0, 0}, Case{"1e-400", 0, 0}, Case{"1e-310", 1e-310, 1e-310}}) {
        EXPECT_EQ(e.point.TextToValue(c.text), c.point) << c.text;
        EXPECT_EQ(e.comma.TextToValue(c.text), c.comma) << c.text;
    }
}

TEST(IsNumeric, FollowsTheRegionalGrammar) {
    struct Case {
        std::string text;
        bool point;
        bool comma;
    };
    const std::string tiny = "0." + std::string(334, '0') + "3";
    Entries e;
    for (const Case& c :
         {Case{"0.", true, true},       Case{"1,5", true, true},      Case{"1,000.5", true, false},
          Case{".5", true, false},      Case{" 7 ", true, true},      Case{"1E-05", true, true},
          Case{"-3", true, true},       Case{".", false, false},      Case{"-", false, false},
          Case{",", false, false},      Case{",5", false, true},      Case{"1e", false, false},
          Case{"1.2.3", false, true},   Case{"1.000,5", false, true}, Case{"abc", false, false},
          Case{"", false, false},       Case{"2,", true, true},       Case{"1e+", false, false},
          Case{"1e308", true, true},    Case{"1e309", false, false},  Case{"- 1", false, false},
          Case{"1 2", false, false},    Case{"+.5e3", true, false},   Case{"1e-99999999999", true, true},
          Case{"0.1e309", true, false}, Case{"10e308", false, false}}) {
        EXPECT_EQ(e.point.IsNumeric(c.text), c.point) << c.text;
        EXPECT_EQ(e.comma.IsNumeric(c.text), c.comma) << c.text;
        // The one-pass scan agrees with the test on the whole text.
        EXPECT_EQ(e.point.LongestNumericPrefix(c.text) == c.text.size() && !c.text.empty(), c.point) << c.text;
        EXPECT_EQ(e.comma.LongestNumericPrefix(c.text) == c.text.size() && !c.text.empty(), c.comma) << c.text;
    }
    EXPECT_TRUE(e.point.IsNumeric(tiny) && e.comma.LongestNumericPrefix(tiny) == tiny.size());
}

TEST(NumericPrefix, LongInputsAreScannedOnce) {
    Entries e;
    EXPECT_EQ(e.point.LongestNumericPrefix(std::string(1'000'000, '7') + "x"), 308u);
    EXPECT_EQ(e.point.LongestNumericPrefix("0." + std::string(1'000'000, '0') + "1x"), 1'000'003u);
    EXPECT_EQ(e.point.LongestNumericPrefix(std::string(1'000'000, 'a')), 0u);
    EXPECT_EQ(e.point.LongestNumericPrefix("17976931348623157" + std::string(292, '0') + "9"), 309u);
    EXPECT_EQ(e.point.LongestNumericPrefix("17976931348623159" + std::string(292, '0')), 308u);
}

TEST(ToBaseUnit, ScalesByThePrefixRow) {
    struct Case {
        double value;
        const char* prefix;
        double toBase;
    };
    Entries e;
    for (const Case& c :
         {Case{5, "m", 0.005}, Case{3, "M", 3000000}, Case{2, "K", 2}, Case{532, "nm", 0.532}, Case{1.064, "um", 1.064},
          Case{7, "Single", 7}, Case{7, "", 7}, Case{1.5, "k", 1500}, Case{3, "n", 3 / 1e9}, Case{3, "f", 3 / 1e15},
          Case{3, "p", 3 / 1e12}, Case{3, "u", 3 / 1e6}}) {
        EXPECT_EQ(e.point.ToBaseUnit(c.value, c.prefix), c.toBase) << c.prefix;
        EXPECT_EQ(e.point.FromBaseUnit(c.toBase, c.prefix), c.value) << c.prefix;
    }
}

TEST(ToBaseUnit, OverflowIsNoValue) {
    Entries e;
    EXPECT_EQ(e.point.ToBaseUnit(1e305, "M"), std::nullopt);
    EXPECT_EQ(e.point.FromBaseUnit(1e300, "f"), std::nullopt);
    EXPECT_EQ(e.point.BaseValue("1e305", "M"), 0);
}

// The "0.0" pattern rounds halves away from zero; whole percents likewise.
TEST(Format, WritesWithTheRegionalSeparator) {
    struct Case {
        double value;
        const char* text;    // DoubleToText with "."
        const char* tenths;  // the "0.0" pattern with "."
    };
    const std::string largest =
        "-179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540"
        "4589535143824642343213268894641827684675467035375169860499105765512820762454900903893289440758685084551339"
        "42304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368.0";
    Entries e;
    for (const Case& c :
         {Case{1e-05, "1E-05", "0.0"}, Case{0.0001, "0.0001", "0.0"}, Case{1e15, "1E+15", "1000000000000000.0"},
          Case{0.3 * 1000, "300", "300.0"}, Case{-0.0, "0", "0.0"}, Case{0.25, "0.25", "0.3"},
          Case{0.75, "0.75", "0.8"}, Case{-0.25, "-0.25", "-0.3"}, Case{-0.04, "-0.04", "0.0"},
          Case{3.141592, "3.141592", "3.1"}, Case{12.345, "12.345", "12.3"}, Case{1.5, "1.5", "1.5"},
          Case{0.35, "0.35", "0.3"}, Case{2.5 / 3, "0.833333333333333", "0.8"},
          Case{-1.7976931348623157e308, "-1.7976931348623157E+308", largest.c_str()}}) {
        EXPECT_EQ(e.point.DoubleToText(c.value), c.text);
        EXPECT_EQ(e.point.FormatTenths(c.value), c.tenths) << c.text;
        std::string commaTenths = c.tenths;
        std::replace(commaTenths.begin(), commaTenths.end(), '.', ',');
        EXPECT_EQ(e.comma.FormatTenths(c.value), commaTenths) << c.text;
    }
    for (const auto& [value, whole] : std::initializer_list<std::pair<double, const char*>>{
             {42.3, "42"}, {42.5, "43"}, {43.5, "44"}, {99.49, "99"}, {-0.4, "0"}}) {
        EXPECT_EQ(e.point.FormatWhole(value), whole) << value;
    }
}

TEST(Ladder, PicksTheRow) {
    struct Case {
        Quantity quantity;
        double value;
        const char* valueCaption;
        const char* unitCaption;
        const char* commandLine = nullptr;  // the value caption there, when it differs
    };
    using enum Quantity;
    Entries e;
    const Case cases[] = {{PeakPower, 12345, " 12.3", " kW"},
                          {PeakPower, 0, " ", " W"},
                          {PeakPower, 0.000001, " < 0,1", " mW"},
                          {PeakPower, -5, " < 0,1", " mW"},
                          {PeakPower, 1e4, " 10.0", " kW"},
                          {PeakPower, 0.1, " 0.1", " W"},
                          {PeakPower, 1e-5, " 0.0", " mW"},
                          {PeakPower, 1e6, " 1000.0", " kW"},
                          {PeakPower, 1e7, " 10.0", " MW"},
                          {PeakPower, 1e10, " 10.0", " GW"},
                          {PeakPowerDensity, 0, " ", " W/cm2"},
                          {PeakPowerDensity, 2.5e12, " 2500.0", " GW/cm2"},
                          {PeakPowerDensity, 0.05, " 50.0", " mW/cm2"},
                          {AveragePower, 0, "", " W"},
                          {AveragePower, 1e10, " 10000000.0", " kW", " 1e7"},
                          {AveragePower, 999999949, " 999999.9", " kW"},
                          {PeakPower, 1.23456e24, " 1234560000000000.0", " GW", " 1.235e15"},
                          {AveragePower, 0.0005, " 0.5", " mW"},
                          {AveragePower, 1e-6, " < 0,1", " mW"},
                          {PowerDensity, 0, "", " W/cm2"},
                          {PowerDensity, 1e4, " 10.0", " kW/cm2"},
                          {EnergyDensity, 0.000001, " <0,1", " mJ/cm2"},
                          {EnergyDensity, 0, "", " J/cm2"},
                          {EnergyDensity, 0.02, " 20.0", " mJ/cm2"},
                          {EnergyDensity, 2e4, " 20.0", " kJ/cm2"}};
    for (const Case& c : cases) {
        EXPECT_EQ(Ladder(c.quantity, c.value, e.point), (DisplayCaptions{c.valueCaption, c.unitCaption})) << c.value;
        EXPECT_EQ(CaptionIn(CaptionForm::CommandLine, c.valueCaption, '.'),
                  c.commandLine ? c.commandLine : c.valueCaption)
            << c.value;
    }
    EXPECT_EQ(CaptionIn(CaptionForm::CommandLine, Ladder(Quantity::PowerDensity, 1.23456e12, e.comma).value, ','),
              " 1,235e9");
    EXPECT_EQ(CaptionIn(CaptionForm::CommandLine, " -1234560000.0", '.'), " -1.235e9");
    EXPECT_EQ(CaptionIn(CaptionForm::Window, " 10000000.0", '.'), " 10000000.0");
    // The small mark keeps its comma under either separator.
    EXPECT_EQ(Ladder(Quantity::PeakPower, 1e-7, e.comma).value, " < 0,1");
    EXPECT_EQ(Ladder(Quantity::PeakPower, 12345, e.comma).value, " 12,3");
}

// The window and the command line read the separator by this one rule.
// The details area and --details write numbers as engineers do, in either separator.
TEST(EngineeringText, FourDigitsAndAPrefix) {
    struct Case {
        double value;
        const char* unit;
        const char* point;
        const char* comma;
    };
    const Case cases[] = {{0.01, "J", "10 mJ", "10 mJ"},
                          {636600, "W/cm\u00B2", "636.6 kW/cm\u00B2", "636,6 kW/cm\u00B2"},
                          {509.296, "W/cm\u00B2", "509.3 W/cm\u00B2", "509,3 W/cm\u00B2"},
                          {1.064e-6, "m", "1.064 \u00B5m", "1,064 \u00B5m"},
                          {0.0127, "m", "12.7 mm", "12,7 mm"},
                          {0.99996, "m", "1 m", "1 m"},  // rounds up into the next prefix
                          {1e-9, "s", "1 ns", "1 ns"},
                          {-0.0125, "W", "-12.5 mW", "-12,5 mW"},
                          {0, "W", "0 W", "0 W"},
                          {1.5e15, "W", "1500 TW", "1500 TW"},
                          {2e-17, "J", "0.02 fJ", "0,02 fJ"},
                          {1e300, "W", "1e288 TW", "1e288 TW"},  // past the prefixes
                          {2.5e-300, "J", "2.5e-285 fJ", "2,5e-285 fJ"},
                          {std::nan(""), "W", "n/a", "n/a"},
                          {HUGE_VAL, "W", "n/a", "n/a"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatQuantity(c.value, c.unit, '.'), c.point) << c.value;
        EXPECT_EQ(FormatQuantity(c.value, c.unit, ','), c.comma) << c.value;
    }
    // Digits only where an engineer need not count them.
    const std::pair<double, const char*> plain[] = {
        {1.18, "1.18"},     {1234.56, "1235"},        {0.00123456, "0.001235"}, {100, "100"},
        {-2.5, "-2.5"},     {999.96, "1000"},         {999999.4, "999999"},     {999999.96, "1e6"},
        {1e20, "1e20"},     {-1.23456e7, "-1.235e7"}, {1e308, "1e308"},         {0.0001, "0.0001"},
        {2.5e-7, "2.5e-7"}, {9.99996e-5, "0.0001"},   {9.9e-5, "9.9e-5"}};
    for (const auto& [value, text] : plain) {
        EXPECT_EQ(FormatSignificant(value, '.'), text) << value;
    }
    // A share, as every output writes it: halves up, never "0 %" for a share that is there.
    const std::pair<std::optional<double>, const char*> shares[] = {
        {0.125, "13 %"}, {0.124, "12 %"},        {0.0049, "<1 %"},       {0.005, "1 %"},
        {0, "<1 %"},     {9999.994, "999999 %"}, {1, "100 %"},           {12345.67, "1.235e6 %"},
        {1e5, "1e7 %"},  {std::nan(""), "n.a."}, {std::nullopt, "n.a."}, {HUGE_VAL, "n.a."}};
    for (const auto& [share, text] : shares) {
        EXPECT_EQ(ShareText(share), text) << share.value_or(-1);
    }
    EXPECT_EQ(FitsText(12.7, std::nullopt, ','), "fits with a beam of 12,7 mm");
    EXPECT_EQ(FitsText(std::nullopt, 0.8, '.'), "fits with both sides scaled by 0.8");
    EXPECT_EQ(FitsText(std::nullopt, std::nullopt, '.'), "");
}

// The separator is the C library's, as the locale command reports it, for
// the locales the build generates (see tests/CMakeLists.txt) and for names
// that are not installed.
TEST(DecimalSeparator, IsTheCLibrarys) {
    for (const char* name : {"C", "POSIX", "C.UTF-8", "en_US.UTF-8", "it_IT.UTF-8", "de_DE.UTF-8", "de_CH.UTF-8",
                             "fr_CH.UTF-8", "en_DK.UTF-8", "lb_LU.UTF-8", "xx_YY.UTF-8", ""}) {
        const std::string command = std::string("LC_ALL='") + name + "' locale decimal_point 2>/dev/null";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::array<char, 16> answer{};
        const bool read = std::fgets(answer.data(), answer.size(), pipe) != nullptr;
        pclose(pipe);
        const char expected = read && answer[0] == ',' ? ',' : '.';
        EXPECT_EQ(DecimalSeparatorOf(name), expected) << name;
    }
    EXPECT_EQ(DecimalSeparatorOf("it_IT.UTF-8"), ',') << "the test locales are generated";
    EXPECT_EQ(DecimalSeparatorOf("xx_YY.UTF-8"), '.');
}

}  // namespace
}  // namespace tavrin
