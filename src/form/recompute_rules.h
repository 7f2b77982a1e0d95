#pragma once

#include <span>

#include "beam/laser_input_state.h"

namespace tavrin {

// One derived-value operation of the recomputation. `All` is peak power,
// average power and both densities, the densities told whether the power
// entry itself was changed.
enum class RecomputeStep { BeamArea, PeakPower, AveragePower, PowerDensity, EnergyDensity, All };

// What a change of an entry's text, or of its unit, recomputes, in order.
// The power and energy texts recompute only when they are not empty; a rate
// unit applies the single-pulse rule before its steps.
std::span<const RecomputeStep> StepsAfterText(EntryId entry);
std::span<const RecomputeStep> StepsAfterUnit(EntryId entry);

}  // namespace tavrin
