#include "number_entry.h"

#include "number_grammar.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>

namespace tavrin {
namespace {

constexpr double kExactWhole = 1e15;

struct PrefixRow {
    const char* prefix;
    double factor;
    bool multiply;  // ToBaseUnit multiplies by the factor (else divides)
};

constexpr std::array<PrefixRow, 8> kPrefixes = {{
    {"M", 1e6, true},
    {"k", 1e3, true},
    {"m", 1e3, false},
    {"u", 1e6, false},
    {"n", 1e9, false},
    {"p", 1e12, false},
    {"f", 1e15, false},
    {"nm", 1e3, false},
}};

const PrefixRow* FindPrefix(const std::string& prefix) {
    for (const auto& row : kPrefixes) {
        if (prefix == row.prefix) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

NumberEntry::NumberEntry(char decimalSeparator) : m_decimal(decimalSeparator) {
    assert(decimalSeparator == '.' || decimalSeparator == ',');
}

bool NumberEntry::IsNumeric(std::string_view text) const {
    return ReadNumber(text, m_decimal, OtherSeparator()).has_value();
}

std::size_t NumberEntry::LongestNumericPrefix(std::string_view text) const {
    return LongestNumberPrefix(text, m_decimal, OtherSeparator());
}

std::optional<double> NumberEntry::ParseUnified(std::string_view text) const {
    return ReadNumber(text, m_decimal, OtherSeparator(), Separators::BothDecimal);
}

bool NumberEntry::ConvertsToNumber(std::string_view text) const {
    return ParseUnified(text).has_value();
}

double NumberEntry::TextToValue(std::string_view text) const {
    if (text.empty()) {
        return 0;
    }
    return ParseUnified(text).value_or(0.0);
}

std::optional<double> InRange(double value) {
    if (std::isfinite(value)) {
        return value;
    }
    return std::nullopt;
}

std::optional<double> NumberEntry::ToBaseUnit(double value, const std::string& prefix) const {
    const PrefixRow* row = FindPrefix(prefix);
    if (row == nullptr) {
        return InRange(value);
    }
    return InRange(row->multiply ? value * row->factor : value / row->factor);
}

std::optional<double> NumberEntry::FromBaseUnit(double value, const std::string& prefix) const {
    const PrefixRow* row = FindPrefix(prefix);
    if (row == nullptr) {
        return InRange(value);
    }
    return InRange(row->multiply ? value / row->factor : value * row->factor);
}

double NumberEntry::BaseValue(std::string_view text, const std::string& prefix) const {
    return ToBaseUnit(TextToValue(text), prefix).value_or(0.0);
}

namespace {

// printf's "%.*G" and "%.*f", whatever the process's C locale: always a point.
std::string Format(double value, std::chars_format format, int precision) {
    // The longest fixed form of a double has 309 integer digits.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    return std::string(buffer.data(), result.ptr);
}

std::string GeneralUpper(double value, int precision) {
    std::string text = Format(value, std::chars_format::general, precision);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

bool ReadsBackFinite(const std::string& text) {
    double parsed = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    return ec == std::errc() && std::isfinite(parsed);
}

}  // namespace

std::string NumberEntry::DoubleToText(double value) const {
    if (value == 0) {
        return "0";
    }
    std::string text = GeneralUpper(value, 15);
    if (!ReadsBackFinite(text)) {
        // Within a hair of the largest double, 15 digits round beyond it and
        // would not read back; all 17 digits always do.
        text = GeneralUpper(value, 17);
    }
    for (char& c : text) {
        if (c == '.') {
            c = m_decimal;
        }
    }
    return text;
}

std::string NumberEntry::WidestText() const {
    return DoubleToText(-std::numeric_limits<double>::max());
}

std::string NumberEntry::FormatFixed(double value, int decimals) const {
    double magnitude = std::fabs(value);
    double whole = 0;
    const double fraction = std::modf(magnitude, &whole);
    // The only exact halves a double can hold at one decimal are .25 and .75,
    // at none .5; the conversion rounds those to even, so nudge them up.
    const bool half = decimals == 0 ? fraction == 0.5 : (fraction == 0.25 || fraction == 0.75);
    if (half) {
        magnitude = std::nextafter(magnitude, HUGE_VAL);
    }
    // Whole numbers well within a double's exact integers need no general
    // conversion: rounding half away from zero is what std::round does.
    std::string text = decimals == 0 && magnitude < kExactWhole
                           ? std::to_string(static_cast<long long>(std::round(magnitude)))
                           : Format(magnitude, std::chars_format::fixed, decimals);
    const bool allZero = text.find_first_not_of("0.") == std::string::npos;
    for (char& c : text) {
        if (c == '.') {
            c = m_decimal;
        }
    }
    return (value < 0 && !allZero) ? "-" + text : text;
}

std::string NumberEntry::FormatTenths(double value) const {
    return FormatFixed(value, 1);
}

std::string NumberEntry::FormatWhole(double value) const {
    return FormatFixed(value, 0);
}

}  // namespace tavrin
