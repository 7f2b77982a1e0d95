#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// A value as an engineer writes it: four significant digits with trailing
// zeros dropped, the given decimal separator, and the engineering prefix
// (f to T) that puts the number between 1 and 1000 before a unit of base
// units: FormatQuantity(0.01, "J", ',') is "10 mJ", 636600 W/cm2 is
// "636,6 kW/cm²". A value that is not a finite number is "n/a".
std::string FormatQuantity(double value, std::string_view unit, char decimal);

// Numbers from kPlainFrom up to kPlainBelow are written out in digits;
// beyond, the digits would be zeros an engineer has to count.
inline constexpr double kPlainFrom = 1e-4;
inline constexpr double kPlainBelow = 1e6;

// A number with four significant digits and no prefix (a scale factor, a
// share): 1.25, 1250, 0.001234; outside the plain range with a power of ten,
// 1.235e7, 1e308, 2.5e-7.
std::string FormatSignificant(double value, char decimal);

}  // namespace tavrin
