#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/coating_table.h"
#include "details_area.h"

namespace tavrin {

// A coating row's damage threshold as the search looks it up, in stretches
// solid and dashed by turns (dashed where the table has no point), from 1 ps
// to 1 s and on to `pulseWidth` where it lies beyond either end.
std::vector<CurveStretch> ThresholdStretches(const CoatingTable& coatings, int row, ThresholdRule rule,
                                             std::optional<double> pulseWidth);

// A threshold curve's name in the legend: "Coating 5, repetitive-pulse
// threshold" where the coating's repetitive pulses read another row.
std::string ThresholdCurveName(int coating, int row);
// The dashed stretches' name under the rule.
const char* HeldStretchName(ThresholdRule rule);

// A threshold chart's axes fitted to its curve and points: whole decades,
// pulse widths labelled every three of them, at most four thresholds.
void FitThresholdAxes(DetailsChart& chart, char decimal);

}  // namespace tavrin
