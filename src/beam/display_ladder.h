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

// Where a value caption is read. The window keeps the "0.0" pattern however
// far a number runs past the ladder's top step (up to 309 digits); the
// command line writes a number of a million or more with a power of ten, as
// `FormatSignificant` does: " 1e154" rather than " 1000…0.0".
enum class CaptionForm { Window, CommandLine };
std::string CaptionIn(CaptionForm form, std::string valueCaption, char decimal);

}  // namespace tavrin
