#pragma once

#include "beam_host.h"

namespace tavrin {

// The derived beam parameters. Each reads the current entry texts and units,
// stores its result in the laser input state and writes its labels.
void ShowBeamArea(BeamHost& host);
void ShowAveragePower(BeamHost& host);
void ShowPeakPower(BeamHost& host);
void ShowPeakPowerDensity(BeamHost& host);

// The densities; for a pulsed laser they also write the power (or energy)
// derived from the other entry and the rate back into its field. They do
// nothing while the state is `Updating`.
void ShowPowerDensity(BeamHost& host, bool powerEntered);
void ShowEnergyDensity(BeamHost& host, bool powerEntered);

}  // namespace tavrin
