#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// The grammar of a typed number, read one character at a time. The numeric
// test, the entry filter, the conversion and the command line's strict check
// all read text through it, so that they cannot disagree.
//
// After the blanks at both ends: an optional sign, an integer part of digits
// and group separators that starts with a digit, an optional decimal
// separator with digits, at least one digit in all, an optional exponent.
class NumberScanner {
public:
    NumberScanner(char decimal, char group) : m_decimal(decimal), m_group(group) {}

    void Feed(char c);

    // Whether the text fed so far is a number, in range or not.
    [[nodiscard]] bool Complete() const;
    // Whether no further character can make the text a number.
    [[nodiscard]] bool Dead() const { return m_state == State::Dead; }

    // The value of a complete text: 0 for a number too small for a double,
    // empty for one too large.
    [[nodiscard]] std::optional<double> Value() const;
    // Whether a complete text's value is in range, converting only when its
    // order of magnitude cannot tell.
    [[nodiscard]] bool InRange() const;

private:
    enum class State {
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

    void AfterDigits(char c);
    void IntegerDigit(char c);
    void FractionDigit(char c);
    void ExponentDigit(char c);
    // The decimal order of magnitude of the number read so far; empty for zero.
    [[nodiscard]] std::optional<std::int64_t> Order() const;

    char m_decimal;
    char m_group;
    State m_state = State::LeadBlank;
    std::string m_plain;  // the number as the C++ conversion reads it: digits, '.', 'e', exponent sign
    bool m_negative = false;
    std::int64_t m_integerDigits = 0;  // integer digits from the first non-zero one
    std::int64_t m_fractionZeros = 0;  // zeros after the point before the first non-zero digit
    bool m_fractionNonZero = false;
    std::int64_t m_exponent = 0;
    bool m_exponentNegative = false;
};

// How the other separator reads: as a digit group (the numeric test) or, as
// the conversion reads it, as a decimal separator too.
enum class Separators { Grouping, BothDecimal };

// The value of a whole text under the grammar; empty when it is no number or
// one too large for a double.
std::optional<double> ReadNumber(std::string_view text, char decimal, char group,
                                 Separators separators = Separators::Grouping);

// Length of the longest start of `text` that is a number in range (0 when
// none is), found in one pass however long the text is.
std::size_t LongestNumberPrefix(std::string_view text, char decimal, char group);

}  // namespace tavrin
