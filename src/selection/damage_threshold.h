#pragma once

#include <optional>

#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "catalogue/coating_table.h"

namespace tavrin {

// The coating's damage threshold (J/cm2) at pulse width `tau` (s), by
// straight lines between the decade columns of its row. A CW laser takes the
// 1 s column; no pulse width (an empty entry) gives 0, as does a row outside
// the table.
double DamageThresholdAt(const CoatingTable& coatings, int row, Laser laser, std::optional<double> tau);

// The pulse width of the entry in seconds, or nothing when the entry is empty.
std::optional<double> PulseWidthSeconds(const LaserInputState& state, const NumberEntry& numbers);

}  // namespace tavrin
