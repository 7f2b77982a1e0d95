#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "catalogue/catalogue.h"
#include "damage_threshold.h"
#include "head_limits.h"
#include "head_search.h"

namespace tavrin {

// What one criterion of the search compared for a head: the laser's value,
// the head's limit and the share of the limit the laser uses (laser / limit
// for an upper limit, limit / laser for a lower one). The wavelength has a
// range and a yes or no; the product type has no share.
struct CriterionUsage {
    const char* key;  // power_max, aperture, ..., product_type
    Criterion criterion = Criterion::PowerMax;
    double laser = 0;
    double limit = 0;
    double limitMax = 0;  // the wavelength's longest
    std::optional<double> used{};
    std::optional<bool> inRange{};  // the wavelength only
    bool passes = true;             // as the search decided
    bool ceilingOnly = false;       // failed only under the user's ceiling
};

// Every criterion that applies to the laser, as the search compared it for
// one head, and the coating row and threshold it used with a pulsed laser.
struct HeadUsage {
    std::size_t index = 0;  // in the catalogue
    std::optional<int> coatingRow{};
    std::optional<double> threshold{};  // J/cm2
    // Where the threshold came from, and what the table gives as listed.
    std::optional<ThresholdLookup> thresholdLookup{};
    std::vector<CriterionUsage> usage{};
    // The share of a Gaussian beam's power that the head's aperture passes;
    // none for another profile.
    std::optional<double> aperturePowerFraction{};
};

struct KeptHeadDetails : HeadUsage {
    // For a uniform beam: how a Gaussian beam of the same sizes would fare.
    std::optional<GaussianCheck> ifGaussian{};
};

struct RejectedHeadDetails {
    HeadUsage head;
    CriterionUsage firstFailing;
    // The beam, nearest to the one entered, at which the same search keeps
    // the head: a diameter on a 0.1 mm grid for a circular beam, a factor on a
    // 0.01 grid for both sides of a rectangle.
    std::optional<double> fitsWithBeamMm{};
    std::optional<double> fitsWithBeamScale{};
};

// The laser where the search compares it: the densities at the centre of the
// absorber (the means times the profile's peak factor), and the means.
struct OperatingPoint {
    std::optional<double> pulseWidth;  // s
    double energyDensity = 0;          // J/cm2
    double powerDensity = 0;           // W/cm2
    double peakFactor = 1;
    double meanEnergyDensity = 0;
    double meanPowerDensity = 0;
    double peakPowerDensity = 0;  // W/cm2, at the centre (the mean times the factor)
    double ceiling = 1;           // the most of each limit the search let the laser use
    ThresholdRule rule = ThresholdRule::AsListed;
    bool singlePulse = false;  // the average-power checks take one pulse per second
};

// An aperture that clips more than this share of the power is warned of.
inline constexpr double kClippingWarned = 0.01;

// Why each head was kept or not, for the laser as the search sees it now.
struct SearchDetails {
    OperatingPoint operatingPoint;
    std::vector<KeptHeadDetails> kept;  // catalogue order
    std::vector<RejectedHeadDetails> rejected;
    // The threshold curve of each coating row a kept head uses: pulse width
    // (s) and threshold (J/cm2), 10 points a decade from 1 ps to 1 s.
    std::vector<std::pair<int, std::vector<std::pair<double, double>>>> curves;
};

// The damage threshold of a coating row (J/cm2) against the pulse width (s),
// as the search looks it up with `rule`: 10 points a decade from 1 ps to 1 s,
// with every decade end.
std::vector<std::pair<double, double>> ThresholdCurve(const CoatingTable& coatings, int row,
                                                      ThresholdRule rule = ThresholdRule::AsListed);

SearchDetails ComputeDetails(const Catalogue& catalogue, const std::vector<HeadLimits>& limits,
                             const LaserInputState& state, const NumberEntry& numbers);

}  // namespace tavrin
