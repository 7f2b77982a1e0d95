#pragma once

#include <numbers>
#include <optional>
#include <string>
#include <string_view>

#include "laser_input_state.h"
#include "number_entry.h"

namespace tavrin {

// The peak of a Gaussian beam over its mean, with the sizes at 1/e² of the
// peak: 2 for a round beam, 8/π for an elliptical one over L × W.
inline constexpr double kGaussianRoundFactor = 2;
inline constexpr double kGaussianRectangleFactor = 8 / std::numbers::pi;

// How many times the mean density the centre of the absorber sees: 1 for a
// uniform beam; empty for a measured factor that is not a number of at least 1.
std::optional<double> PeakFactor(const LaserInputState& state, const NumberEntry& numbers);

// A measured peak-to-mean factor as typed, when it is a number of at least 1.
std::optional<double> MeasuredFactor(std::string_view text, const NumberEntry& numbers);

// The profile as the report and the request name it: "Gaussian (1/e²)".
std::string ProfileName(Profile profile);
// The profile as the command line and its JSON name it: "uniform",
// "gaussian", "measured".
const char* ProfileKey(Profile profile);

// The report's and the request's line for a beam that is not flat, so that
// the head is chosen (or designed) for the peak: "Beam Profile: Gaussian
// (1/e²), peak = 2 × mean". Empty for a uniform beam.
std::string ProfileLine(const LaserInputState& state);

// The share of a Gaussian beam's power that a centred round aperture of
// `apertureMm` passes: 1 − exp(−2 (D/d)²) for a round beam of 1/e² diameter d,
// the power over the disc worked out numerically (to well within 0.1 %) for
// an elliptical beam of 1/e² widths L × W; between 0 and 1, and 0 for an
// aperture of no width. Empty for a beam of no size.
std::optional<double> AperturePowerFraction(double apertureMm, const LaserInputState& state,
                                            const NumberEntry& numbers);

}  // namespace tavrin
