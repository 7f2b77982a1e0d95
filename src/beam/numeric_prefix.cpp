#include <algorithm>
#include <cstdint>

#include "number_entry.h"

namespace tavrin {
namespace {

enum class Scan {
    LeadBlank,
    Sign,
    Integer,
    PointOnly,
    Fraction,
    ExponentMark,
    ExponentSign,
    Exponent,
    TrailBlank,
    Dead
};

bool Accepting(Scan state) {
    return state == Scan::Integer || state == Scan::Fraction || state == Scan::Exponent || state == Scan::TrailBlank;
}

// The decimal order of magnitude of the number read so far, enough to tell
// most too-large numbers from finite ones without converting them.
struct Magnitude {
    std::int64_t integerDigits = 0;  // integer digits from the first non-zero one
    std::int64_t fractionZeros = 0;  // zeros after the point before the first non-zero digit
    bool fractionNonZero = false;
    std::int64_t exponent = 0;
    bool exponentNegative = false;

    void IntegerDigit(char c) {
        if (integerDigits > 0 || c != '0') {
            integerDigits = std::min<std::int64_t>(integerDigits + 1, 1'000'000'000);
        }
    }
    void FractionDigit(char c) {
        if (fractionNonZero || integerDigits > 0) {
            return;
        }
        if (c == '0') {
            fractionZeros = std::min<std::int64_t>(fractionZeros + 1, 1'000'000'000);
        } else {
            fractionNonZero = true;
        }
    }
    void ExponentDigit(char c) { exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), 1'000'000'000); }

    // Empty for zero.
    [[nodiscard]] std::optional<std::int64_t> Order() const {
        const std::int64_t e = exponentNegative ? -exponent : exponent;
        if (integerDigits > 0) {
            return integerDigits - 1 + e;
        }
        if (fractionNonZero) {
            return -(fractionZeros + 1) + e;
        }
        return std::nullopt;
    }
};

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::size_t NumberEntry::LongestNumericPrefix(std::string_view text) const {
    const char group = OtherSeparator();
    Scan state = Scan::LeadBlank;
    Magnitude magnitude;
    std::size_t best = 0;
    for (std::size_t i = 0; i < text.size() && state != Scan::Dead; ++i) {
        const char c = text[i];
        const bool digit = IsDigitChar(c);
        switch (state) {
            case Scan::LeadBlank:
            case Scan::Sign:
                if (c == ' ' && state == Scan::LeadBlank) {
                    break;
                }
                if ((c == '+' || c == '-') && state == Scan::LeadBlank) {
                    state = Scan::Sign;
                } else if (digit) {
                    magnitude.IntegerDigit(c);
                    state = Scan::Integer;
                } else if (c == m_decimal) {
                    state = Scan::PointOnly;
                } else {
                    state = Scan::Dead;
                }
                break;
            case Scan::Integer:
                if (digit) {
                    magnitude.IntegerDigit(c);
                } else if (c == group) {
                    // digit groups are read as digits are
                } else if (c == m_decimal) {
                    state = Scan::Fraction;
                } else if (c == 'e' || c == 'E') {
                    state = Scan::ExponentMark;
                } else if (c == ' ') {
                    state = Scan::TrailBlank;
                } else {
                    state = Scan::Dead;
                }
                break;
            case Scan::PointOnly:
                if (digit) {
                    magnitude.FractionDigit(c);
                    state = Scan::Fraction;
                } else {
                    state = Scan::Dead;
                }
                break;
            case Scan::Fraction:
                if (digit) {
                    magnitude.FractionDigit(c);
                } else if (c == 'e' || c == 'E') {
                    state = Scan::ExponentMark;
                } else if (c == ' ') {
                    state = Scan::TrailBlank;
                } else {
                    state = Scan::Dead;
                }
                break;
            case Scan::ExponentMark:
                if (c == '+' || c == '-') {
                    magnitude.exponentNegative = c == '-';
                    state = Scan::ExponentSign;
                } else if (digit) {
                    magnitude.ExponentDigit(c);
                    state = Scan::Exponent;
                } else {
                    state = Scan::Dead;
                }
                break;
            case Scan::ExponentSign:
            case Scan::Exponent:
                if (digit) {
                    magnitude.ExponentDigit(c);
                    state = Scan::Exponent;
                } else if (c == ' ' && state == Scan::Exponent) {
                    state = Scan::TrailBlank;
                } else {
                    state = Scan::Dead;
                }
                break;
            case Scan::TrailBlank:
                if (c != ' ') {
                    state = Scan::Dead;
                }
                break;
            case Scan::Dead:
                break;
        }
        if (!Accepting(state)) {
            continue;
        }
        const auto order = magnitude.Order();
        const bool finite = !order || *order <= 307 || (*order < 309 && ParseNumeric(text.substr(0, i + 1)));
        if (finite) {
            best = i + 1;
        }
    }
    return best;
}

}  // namespace tavrin
