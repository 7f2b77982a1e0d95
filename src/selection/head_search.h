#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "catalogue/catalogue.h"
#include "damage_threshold.h"
#include "head_limits.h"
#include "results_grid.h"

namespace tavrin {

// The criteria of the search, in the order it applies them.
enum class Criterion {
    PowerMax = 1,
    Aperture,
    PowerDensityMax,
    PowerMin,
    EnergyMax,
    EnergyMin,
    Wavelength,
    DamageThreshold,
    ProductType,
};
inline constexpr int kCriteria = 9;
inline constexpr std::array<Criterion, kCriteria> kCriteriaInOrder = {
    Criterion::PowerMax,   Criterion::Aperture,        Criterion::PowerDensityMax,
    Criterion::PowerMin,   Criterion::EnergyMax,       Criterion::EnergyMin,
    Criterion::Wavelength, Criterion::DamageThreshold, Criterion::ProductType};

// What the search reads of the laser, taken once when it starts.
class SearchContext {
public:
    SearchContext(const LaserInputState& state, const NumberEntry& numbers, const CoatingTable& coatings);

    [[nodiscard]] double AveragePower() const { return m_averagePower; }
    [[nodiscard]] double BeamSize() const { return m_beamSize; }
    // The densities at the centre of the absorber: the means times the
    // profile's peak-to-mean factor (1 for a uniform beam).
    [[nodiscard]] double PowerDensity() const { return m_powerDensity; }
    [[nodiscard]] double EnergyDensity() const { return m_energyDensity; }
    [[nodiscard]] double PeakFactor() const { return m_peakFactor; }
    // The most of each upper limit (power, aperture, power density, energy,
    // damage threshold) the laser may use: 1 unless the user set a ceiling.
    [[nodiscard]] double Ceiling() const { return m_ceiling; }
    [[nodiscard]] ThresholdRule Rule() const { return m_rule; }
    [[nodiscard]] bool Pulsed() const { return m_pulsed; }
    [[nodiscard]] bool SinglePulse() const { return m_single; }
    [[nodiscard]] bool Probe() const { return m_probe; }
    [[nodiscard]] bool HasWavelength() const { return m_hasWavelength; }
    [[nodiscard]] const std::optional<double>& PulseWidth() const { return m_pulseWidth; }
    [[nodiscard]] double Energy() const { return m_energy; }          // J
    [[nodiscard]] double Wavelength() const { return m_wavelength; }  // um

    // Whether the criterion applies to this laser at all (the energies to a
    // pulsed one, the minimum power to all but a single pulse, ...).
    [[nodiscard]] bool Applies(Criterion criterion) const { return m_applies[static_cast<std::size_t>(criterion) - 1]; }

    // The coating row a head's absorber uses with this laser.
    [[nodiscard]] int CoatingRow(const HeadLimits& head) const { return ThresholdRow(head.CoatingNo, m_single); }

    // The damage threshold of the head's coating row at this laser's pulse
    // width, looked up once per row for the whole search; 0 outside the table.
    [[nodiscard]] double Threshold(const HeadLimits& head) const {
        const int row = CoatingRow(head);
        if (row < 0 || row >= CoatingTable::kRows) {
            return 0;
        }
        return m_thresholds[static_cast<std::size_t>(row)];
    }
    // Where that threshold came from; a row outside the table has none.
    [[nodiscard]] std::optional<ThresholdLookup> Lookup(const HeadLimits& head) const {
        const int row = CoatingRow(head);
        if (!m_pulsed || row < 0 || row >= CoatingTable::kRows) {
            return std::nullopt;
        }
        return m_lookups[static_cast<std::size_t>(row)];
    }

    // The same laser with another peak-to-mean factor (the means kept): how
    // the search would see it with a beam of that profile.
    [[nodiscard]] SearchContext WithPeakFactor(double factor) const;

private:
    double m_averagePower;
    double m_beamSize;
    double m_peakFactor;
    double m_ceiling;
    ThresholdRule m_rule;
    double m_meanPowerDensity;
    double m_meanEnergyDensity;
    double m_powerDensity;
    double m_energyDensity;
    bool m_pulsed;
    bool m_single;
    bool m_probe;
    bool m_hasWavelength;
    std::optional<double> m_pulseWidth;
    double m_energy;
    double m_wavelength;
    std::array<bool, kCriteria> m_applies{};
    std::array<double, CoatingTable::kRows> m_thresholds{};
    std::array<ThresholdLookup, CoatingTable::kRows> m_lookups{};
};

// What one criterion compared for a head: the head's limit and the laser's
// value (the first criterion a head fails, where the search rejects it).
struct Rejection {
    Criterion criterion = Criterion::PowerMax;
    double headValue = 0;  // the limit; the shortest wavelength of the range
    double laserValue = 0;
    double headMax = 0;  // the longest wavelength of the range
    int coatingRow = 0;  // the row the damage threshold was read from
    // The head passes the limit itself but not the user's ceiling on it.
    bool ceilingOnly = false;
    double ceiling = 1;
};

// A short decimal written with a point ("1.16") as the nearest double: its
// digits as a whole number divided by a power of ten, one rounding only, as
// the compiler reads the same literal.
constexpr double DecimalValue(std::string_view text) {
    double digits = 0;
    double scale = 1;
    bool fraction = false;
    for (const char c : text) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        digits = digits * 10 + (c - '0');
        scale *= fraction ? 10 : 1;
    }
    return digits / scale;
}
static_assert(DecimalValue("0.75") == 0.75 && DecimalValue("12.5") == 12.5 && DecimalValue("3") == 3.0);

// The aperture must be at least this many times the beam size: written once,
// as the captions and the explanations show it.
inline constexpr char kApertureFactorText[] = "1.16";
inline constexpr double kApertureFactor = DecimalValue(kApertureFactorText);

// One criterion applied to a head: whether it applies to this laser,
// whether the head passes it, and the values compared.
struct CriterionCheck {
    bool applies = false;
    bool passes = true;
    Rejection values;
};
CriterionCheck CheckCriterion(Criterion criterion, const HeadLimits& head, const SearchContext& context);

// Whether a head fails a criterion, when the criterion applies, with each
// upper limit taken at `ceiling` times itself. A limit that is not a finite
// number cannot be checked, so it is never passed (a comparison with NaN
// alone would let every laser through). A ceiling of 1 compares exactly as
// the limits alone: x * 1 is x.
inline bool FailsAt(Criterion criterion, const HeadLimits& head, const SearchContext& context, double ceiling) {
    switch (criterion) {
        case Criterion::PowerMax:
            return head.PowerMax * ceiling < context.AveragePower();
        case Criterion::Aperture:
            return context.BeamSize() * kApertureFactor > head.Aperture * ceiling;
        case Criterion::PowerDensityMax:
            return head.PowerDensityMax * ceiling < context.PowerDensity();
        case Criterion::PowerMin:
            return !std::isfinite(head.PowerMin) || head.PowerMin > context.AveragePower();
        case Criterion::EnergyMax:
            return head.EnergyMax * ceiling < context.Energy();
        case Criterion::EnergyMin:
            return !std::isfinite(head.EnergyMin) || head.EnergyMin > context.Energy();
        case Criterion::Wavelength:
            return !std::isfinite(head.WaveMin) || !std::isfinite(head.WaveMax) ||
                   context.Wavelength() < head.WaveMin || context.Wavelength() > head.WaveMax;
        case Criterion::DamageThreshold: {
            const double threshold = context.Threshold(head);
            return !std::isfinite(threshold) || threshold * ceiling < context.EnergyDensity();
        }
        case Criterion::ProductType:
            return context.Probe() != head.Probe;
    }
    return false;
}

// The search's own test: the limits under the user's ceiling.
inline bool Fails(Criterion criterion, const HeadLimits& head, const SearchContext& context) {
    return FailsAt(criterion, head, context, context.Ceiling());
}

namespace detail {
template <std::size_t... I>
bool FitsAll(const HeadLimits& head, const SearchContext& context, std::index_sequence<I...> /*criteria*/) {
    return (... && (!context.Applies(kCriteriaInOrder[I]) || !Fails(kCriteriaInOrder[I], head, context)));
}
}  // namespace detail

// Whether the head passes every criterion that applies: the search's own
// test, each criterion's check unrolled in order.
inline bool Fits(const HeadLimits& head, const SearchContext& context) {
    return detail::FitsAll(head, context, std::make_index_sequence<kCriteria>{});
}

// Applies the nine criteria in order; nothing when the head suits the laser.
std::optional<Rejection> FirstRejection(const HeadLimits& head, const SearchContext& context);

// A sentence naming the rejected head, the criterion and the values compared.
std::string DescribeRejection(const HeadRecord& head, const Rejection& rejection);

// How a head the search keeps for a uniform beam would fare with a Gaussian
// beam of the same sizes at 1/e² (the same search, the densities at the
// centre): kept or not, and the first criterion it would fail with its share,
// or the largest share of an upper limit when it would still be kept.
struct GaussianCheck {
    bool kept = true;
    Criterion criterion = Criterion::PowerMax;
    double used = 0;
    bool ceilingOnly = false;
};
GaussianCheck CheckAsGaussian(const HeadLimits& head, const SearchContext& gaussian);

// The share of a limit a compared pair uses (the aperture's as kApertureFactor
// times the beam; the lower limits' the other way); none for a yes or no.
std::optional<double> ShareOf(const Rejection& compared);

// The share of the head's limit that the laser uses, as the grid shows it.
std::string MarginText(const HeadLimits& head, const SearchContext& context, const NumberEntry& numbers);

// A head the search did not keep (its catalogue position) and why.
struct HeadRejection {
    std::size_t head = 0;
    Rejection rejection;
};

// Writes one grid row per suitable head, in catalogue order, replacing the
// rows of the previous search. For a uniform beam, a head that a Gaussian
// beam of the same sizes would not suit gets a note on its row saying so. `limits` are the catalogue heads' own, in
// order. With `rejections`, the heads not kept are listed there too, with the first criterion each failed.
void SearchHeads(const Catalogue& catalogue, const std::vector<HeadLimits>& limits, const LaserInputState& state,
                 const NumberEntry& numbers, ResultsGrid& grid, std::vector<HeadRejection>* rejections = nullptr);

}  // namespace tavrin
