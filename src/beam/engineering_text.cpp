#include "engineering_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace tavrin {
namespace {

constexpr int kDigits = 4;

// Prefixes from 10^-15 up to 10^12, three decades apart.
constexpr std::array<const char*, 10> kPrefixes = {"f", "p", "n", "\u00B5", "m", "", "k", "M", "G", "T"};
constexpr int kBaseStep = 5;  // the step without a prefix

// `value` with `decimals` digits after the point, trailing zeros dropped.
std::string Fixed(double value, int decimals, char decimal) {
    std::array<char, 400> buffer{};
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals).ptr;
    std::string text(buffer.data(), end);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    for (char& c : text) {
        if (c == '.') {
            c = decimal;
        }
    }
    return text == "-0" ? "0" : text;
}

// The digits after the point that leave four significant digits.
int DecimalsFor(double magnitude) {
    if (magnitude < 1) {
        const int leadingZeros = -static_cast<int>(std::floor(std::log10(magnitude))) - 1;
        return leadingZeros + kDigits;
    }
    const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    return std::max(0, kDigits - integerDigits);
}

// The value rounded to four significant digits, whatever the C locale.
double Rounded(double magnitude) {
    const std::string text = Fixed(magnitude, DecimalsFor(magnitude), '.');
    double rounded = magnitude;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

// Four significant digits and a power of ten: 1.235e7, 1e308, 2.5e-7.
std::string WithExponent(double magnitude, char decimal) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::scientific, kDigits - 1)
                         .ptr;
    const std::string text(buffer.data(), end);  // "1.235e+07": the exponent always signed
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
    if (text[e + 1] == '-') {
        exponent = -exponent;
    }
    double mantissa = 0;
    std::from_chars(text.data(), text.data() + e, mantissa);
    return Fixed(mantissa, kDigits - 1, decimal) + "e" + std::to_string(exponent);
}

}  // namespace

std::string FormatSignificant(double value, char decimal) {
    if (!std::isfinite(value)) {
        return "n/a";
    }
    if (value == 0) {
        return "0";
    }
    const double magnitude = std::fabs(value);
    // Rounded first, so that 999.96 becomes 1000 rather than 1000.0.
    const double rounded = Rounded(magnitude);
    const bool plain = rounded >= kPlainFrom && rounded < kPlainBelow;
    return (value < 0 ? "-" : "") +
           (plain ? Fixed(rounded, DecimalsFor(rounded), decimal) : WithExponent(magnitude, decimal));
}

std::string FormatQuantity(double value, std::string_view unit, char decimal) {
    if (!std::isfinite(value)) {
        return "n/a";
    }
    const std::string space = unit.empty() ? "" : " ";
    if (value == 0) {
        return "0" + space + std::string(unit);
    }
    const double magnitude = std::fabs(value);
    int step = static_cast<int>(std::floor(std::log10(magnitude) / 3)) + kBaseStep;
    step = std::clamp(step, 0, static_cast<int>(kPrefixes.size()) - 1);
    double scaled = magnitude / std::pow(1000.0, step - kBaseStep);
    // Four digits may round up to the next prefix: 999.96 m is 1 (not 1000 m).
    if (Rounded(scaled) >= 1000 && step + 1 < static_cast<int>(kPrefixes.size())) {
        ++step;
        scaled /= 1000;
    }
    return (value < 0 ? "-" : "") + FormatSignificant(scaled, decimal) + space +
           kPrefixes[static_cast<std::size_t>(step)] + std::string(unit);
}

}  // namespace tavrin
