#pragma once

#include <string>

#include "number_entry.h"

namespace tavrin {

// The derived quantities that the window shows as a value and a unit label.
enum class Quantity { PeakPower, PeakPowerDensity, AveragePower, PowerDensity, EnergyDensity };

struct DisplayCaptions {
    std::string value;
    std::string unit;

    friend bool operator==(const DisplayCaptions&, const DisplayCaptions&) = default;
};

// A value label's caption: a blank, then the number in the "0.0" pattern.
std::string ValueCaption(double number, const NumberEntry& numbers);

// The value and unit captions of `value` (in its base unit) on the quantity's
// engineering ladder.
DisplayCaptions Ladder(Quantity quantity, double value, const NumberEntry& numbers);

}  // namespace tavrin
