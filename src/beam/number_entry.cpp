#include "number_entry.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>

namespace tavrin {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Whether a number out of the double range ("ddd.ddde-ddd", no sign) is too
// small rather than too large: its decimal order is below zero.
bool Underflows(const std::string& plain) {
    const std::size_t exponentAt = plain.find('e');
    const std::string mantissa = plain.substr(0, exponentAt);
    long long exponent = 0;
    if (exponentAt != std::string::npos) {
        const bool negative = plain[exponentAt + 1] == '-';
        for (std::size_t i = exponentAt + 1; i < plain.size(); ++i) {
            if (IsDigit(plain[i])) {
                exponent = std::min<long long>(exponent * 10 + (plain[i] - '0'), 1'000'000'000);
            }
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos) {
        return true;
    }
    const long long order = firstSignificant < point ? static_cast<long long>(point - firstSignificant) - 1
                                                     : -static_cast<long long>(firstSignificant - point);
    return order + exponent < 0;
}

}  // namespace

Message OverflowMessage() {
    return Message{"Sì, scrivici valore troppo elevato se abbinato agli altri parametri impostati", "Attenzione",
                   MessageIcon::Exclamation, MessageButtons::Ok};
}

NumberEntry::NumberEntry(char decimalSeparator, MessageBoxService& messages)
    : m_decimal(decimalSeparator), m_messages(&messages) {
    assert(decimalSeparator == '.' || decimalSeparator == ',');
}

// After the blanks at both ends: an optional sign, an integer part of digits
// and group separators that starts with a digit, an optional decimal
// separator with digits, at least one digit in all, an optional exponent.
std::optional<double> NumberEntry::ParseNumeric(std::string_view text) const {
    text = TrimBlanks(text);
    const char group = OtherSeparator();
    std::string plain;
    plain.reserve(text.size());
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t digits = 0;
    if (i < n && IsDigit(text[i])) {
        while (i < n && (IsDigit(text[i]) || text[i] == group)) {
            if (text[i] != group) {
                plain.push_back(text[i]);
                ++digits;
            }
            ++i;
        }
    }
    if (i < n && text[i] == m_decimal) {
        plain.push_back('.');
        ++i;
        while (i < n && IsDigit(text[i])) {
            plain.push_back(text[i]);
            ++digits;
            ++i;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        plain.push_back('e');
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            plain.push_back(text[i]);
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            plain.push_back(text[i]);
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != n) {
        return std::nullopt;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    if (ec == std::errc::result_out_of_range) {
        // Too small underflows to zero as the regional conversion does; too large fails.
        if (!Underflows(plain)) {
            return std::nullopt;
        }
        value = 0;
    } else if (ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool NumberEntry::IsNumeric(std::string_view text) const {
    return ParseNumeric(text).has_value();
}

std::optional<double> NumberEntry::ParseUnified(std::string_view text) const {
    std::string unified(text);
    for (char& c : unified) {
        if (c == OtherSeparator()) {
            c = m_decimal;
        }
    }
    return ParseNumeric(unified);
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

double NumberEntry::ToBaseUnit(double value, const std::string& prefix) const {
    const PrefixRow* row = FindPrefix(prefix);
    if (row == nullptr) {
        return value;
    }
    return Finite(row->multiply ? value * row->factor : value / row->factor);
}

double NumberEntry::BaseValue(std::string_view text, const std::string& prefix) const {
    const double value = TextToValue(text);
    const PrefixRow* row = FindPrefix(prefix);
    const double scaled = row == nullptr ? value : row->multiply ? value * row->factor : value / row->factor;
    return std::isfinite(scaled) ? scaled : 0;
}

double NumberEntry::FromBaseUnit(double value, const std::string& prefix) const {
    const PrefixRow* row = FindPrefix(prefix);
    if (row == nullptr) {
        return value;
    }
    return Finite(row->multiply ? value / row->factor : value * row->factor);
}

double NumberEntry::Finite(double value) const {
    if (std::isfinite(value)) {
        return value;
    }
    WarnOverflow();
    return 0;
}

void NumberEntry::WarnOverflow() const {
    m_messages->Show(OverflowMessage());
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
    std::string text = Format(magnitude, std::chars_format::fixed, decimals);
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
