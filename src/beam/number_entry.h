#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// How typed numbers become values and values become unit-scaled numbers.
// The regional decimal separator ("." or ",") is fixed for the object's life;
// either character is accepted when reading a typed number.
class NumberEntry {
public:
    explicit NumberEntry(char decimalSeparator);

    [[nodiscard]] char DecimalSeparator() const { return m_decimal; }
    [[nodiscard]] char OtherSeparator() const { return m_decimal == '.' ? ',' : '.'; }

    // The regional numeric test, on the text as it stands.
    [[nodiscard]] bool IsNumeric(std::string_view text) const;

    // Length of the longest start of `text` that passes the numeric test (0
    // when none does), found in one pass however long the text is.
    [[nodiscard]] std::size_t LongestNumericPrefix(std::string_view text) const;

    // Whether the text converts to a number once both separators are read as
    // the decimal separator, as TextToValue reads it ("1,000,000" does not,
    // though the numeric test takes "," for grouping).
    [[nodiscard]] bool ConvertsToNumber(std::string_view text) const;

    // The number in an entry text, or 0 when it is empty or not a number.
    [[nodiscard]] double TextToValue(std::string_view text) const;

    // The value scaled from the prefixed unit to the base unit; empty when
    // the result leaves the range of a double (the caller warns).
    [[nodiscard]] std::optional<double> ToBaseUnit(double value, const std::string& prefix) const;
    // The inverse of ToBaseUnit, empty likewise.
    [[nodiscard]] std::optional<double> FromBaseUnit(double value, const std::string& prefix) const;

    // An entry's value in the base unit, as the search reads it: 0 when the
    // text is empty or not a number or the scaled value leaves the range of a
    // double.
    [[nodiscard]] double BaseValue(std::string_view text, const std::string& prefix) const;

    // A number as an entry shows it: up to 15 significant digits, exponent
    // form for very large or small magnitudes, the regional separator.
    [[nodiscard]] std::string DoubleToText(double value) const;
    // The longest text DoubleToText writes (the most negative double), so
    // that a view can make its entries wide enough for any of them.
    [[nodiscard]] std::string WidestText() const;

    // The "0.0" display pattern (and the "0" pattern): halves away from zero,
    // no grouping, never a negative zero.
    [[nodiscard]] std::string FormatTenths(double value) const;
    [[nodiscard]] std::string FormatWhole(double value) const;

private:
    [[nodiscard]] std::optional<double> ParseUnified(std::string_view text) const;
    [[nodiscard]] std::string FormatFixed(double value, int decimals) const;

    char m_decimal;
};

// The value itself when finite; empty when it left the range of a double.
std::optional<double> InRange(double value);

}  // namespace tavrin
