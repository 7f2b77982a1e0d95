#pragma once

#include <optional>

#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "catalogue/coating_table.h"

namespace tavrin {

// Where a threshold read from a coating row comes from: a column of the
// table, a straight line between two neighbouring columns, or a stretch the
// table has no point for (a column's value held, or the line drawn across
// the missing 10 ps column).
enum class ThresholdBasis { CataloguePoint, Interpolated, HeldFrom100ps, Between10psAnd1ps, HeldFrom1ps, HeldFrom1s };

// "catalogue point", "interpolated", "held from 100 ps", "between 10 ps and
// 1 ps", "held from 1 ps", "held from 1 s".
const char* ThresholdBasisText(ThresholdBasis basis);
// Whether the stretch has no catalogue point to stand on.
bool HeldOrBridged(ThresholdBasis basis);

// The coating row an absorber's coating is read from: repetitive pulses on
// every coating above 4 use the row three further down (rows 8 to 10 for
// coatings 5 to 7; a higher coating lands outside the table); a single
// pulse, and every coating up to 4, its own row.
constexpr int ThresholdRow(int coating, bool singlePulse) {
    return !singlePulse && coating > 4 ? coating + 3 : coating;
}

// "as-listed", "conservative": the command line's and the JSON's names.
const char* ThresholdRuleKey(ThresholdRule rule);

struct ThresholdLookup {
    double value = 0;  // J/cm2, the value the search compares
    ThresholdBasis basis = ThresholdBasis::CataloguePoint;
    double listed = 0;      // the value the table gives as it has always been read
    bool powerLaw = false;  // the conservative rule's power law lies below `listed` and was used
};

// The coating's damage threshold (J/cm2) at pulse width `tau` (s). As
// listed: straight lines between the decade columns of its row, the 100 ps
// column held down to 10 ps, a straight line from there to the 1 ps column,
// the end columns held beyond 1 ps and 1 s. Conservative: never above the
// power law through the catalogue points around `tau` (the 100 ps and 1 ps
// columns between them), the ends held as listed. A CW laser takes the 1 s
// column; no pulse width (an empty entry) gives 0, as does a row outside the table.
ThresholdLookup LookUpThreshold(const CoatingTable& coatings, int row, Laser laser, std::optional<double> tau,
                                ThresholdRule rule = ThresholdRule::AsListed);

// The value alone.
double DamageThresholdAt(const CoatingTable& coatings, int row, Laser laser, std::optional<double> tau,
                         ThresholdRule rule = ThresholdRule::AsListed);

// The pulse width of the entry in seconds, or nothing when the entry is empty.
std::optional<double> PulseWidthSeconds(const LaserInputState& state, const NumberEntry& numbers);

}  // namespace tavrin
