#pragma once

#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display_ladder.h"
#include "laser_input_state.h"
#include "number_entry.h"

namespace tavrin {

// The peak of a Gaussian beam over its mean, with the sizes at 1/e² of the
// peak: 2 for a round beam, 8/π for an elliptical one over L × W.
inline constexpr double kGaussianRoundFactor = 2;
inline constexpr double kGaussianRectangleFactor = 8 / std::numbers::pi;

// The peak-to-mean factor of a Gaussian beam of that shape.
inline double GaussianFactor(Shape shape) {
    return shape == Shape::Circular ? kGaussianRoundFactor : kGaussianRectangleFactor;
}

// A FWHM diameter of a Gaussian beam is this many times smaller than its
// 1/e² diameter: √(2 / ln 2).
inline constexpr double kFwhmToOneOverE2 = 1.699;

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

// What the beam sizes stand for with the profile: "sizes are full widths at
// 1/e² of the peak (a FWHM is 1.699 × smaller)".
const char* SizeMeaning(Profile profile);
// The same at more length for the beam entries' tooltips, for the state's
// profile and shape.
std::string SizeAssumption(const LaserInputState& state);
// What the pulse width stands for, for its entry's tooltip.
inline constexpr const char* kPulseWidthAssumption =
    "The full width at half maximum (FWHM) of one pulse, from s down to fs.";

// The densities at the centre of a beam that is not flat, a line each, as
// the window writes its derived values: the energy density and the peak
// power density of a pulsed laser, the power density of a CW one, the
// factor in brackets; "cannot be computed" for a density past the largest
// number. None for a uniform beam.
std::vector<std::string> CentreLines(const LaserInputState& state, const NumberEntry& numbers,
                                     CaptionForm form = CaptionForm::Window);

// The report's and the request's lines for a beam that is not flat, so that
// the head is chosen (or designed) for the peak: "Beam Profile: Gaussian
// (1/e²), peak = 2 × mean; sizes are ...", then the centre's densities.
// None for a uniform beam.
std::vector<std::string> ProfileLines(const LaserInputState& state, const NumberEntry& numbers);

// The share of a Gaussian beam's power that a centred round aperture of
// `apertureMm` passes: 1 − exp(−2 (D/d)²) for a round beam of 1/e² diameter d,
// the power over the disc worked out numerically (to well within 0.1 %) for
// an elliptical beam of 1/e² widths L × W; between 0 and 1, and 0 for an
// aperture of no width. Empty for a beam of no size.
std::optional<double> AperturePowerFraction(double apertureMm, const LaserInputState& state,
                                            const NumberEntry& numbers);

}  // namespace tavrin
