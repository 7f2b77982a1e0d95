#pragma once

#include <array>
#include <optional>
#include <string>

#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "catalogue/catalogue.h"
#include "head_limits.h"
#include "results_grid.h"

namespace tavrin {

// What the search reads of the laser, taken when it starts. The pulse energy
// and the wavelength are converted at most once per search, when a criterion
// first needs them.
class SearchContext {
public:
    SearchContext(const LaserInputState& state, const NumberEntry& numbers, const CoatingTable& coatings);

    [[nodiscard]] double AveragePower() const { return m_averagePower; }
    [[nodiscard]] double BeamSize() const { return m_beamSize; }
    [[nodiscard]] double PowerDensity() const { return m_powerDensity; }
    [[nodiscard]] double EnergyDensity() const { return m_energyDensity; }
    [[nodiscard]] bool Pulsed() const { return m_pulsed; }
    [[nodiscard]] bool SinglePulse() const { return m_single; }
    [[nodiscard]] bool Probe() const { return m_probe; }
    [[nodiscard]] bool HasWavelength() const { return m_hasWavelength; }
    [[nodiscard]] const std::optional<double>& PulseWidth() const { return m_pulseWidth; }
    double Energy() const;      // J
    double Wavelength() const;  // um

    // The coating row a head's absorber uses with this laser: repetitive
    // pulses on every coating above 4 use the row three further down (rows 8
    // to 10 for coatings 5 to 7; a higher coating lands outside the table).
    [[nodiscard]] int CoatingRow(const HeadLimits& head) const;

    // The damage threshold of the head's coating row at this laser's pulse
    // width, looked up once per row for the whole search.
    [[nodiscard]] double Threshold(const HeadLimits& head) const;

private:
    const LaserInputState* m_state;
    const NumberEntry* m_numbers;
    double m_averagePower;
    double m_beamSize;
    double m_powerDensity;
    double m_energyDensity;
    bool m_pulsed;
    bool m_single;
    bool m_probe;
    bool m_hasWavelength;
    std::optional<double> m_pulseWidth;
    std::array<double, CoatingTable::kRows> m_thresholds{};
    mutable std::optional<double> m_energy;
    mutable std::optional<double> m_wavelength;
};

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

// What one criterion compared for a head: the head's limit and the laser's
// value (the first criterion a head fails, where the search rejects it).
struct Rejection {
    Criterion criterion = Criterion::PowerMax;
    double headValue = 0;  // the limit; the shortest wavelength of the range
    double laserValue = 0;
    double headMax = 0;  // the longest wavelength of the range
    int coatingRow = 0;  // the row the damage threshold was read from
};

// The aperture must be at least this many times the beam size.
inline constexpr double kApertureFactor = 1.16;

// One criterion applied to a head: whether it applies to this laser,
// whether the head passes it, and the values compared.
struct CriterionCheck {
    bool applies = false;
    bool passes = true;
    Rejection values;
};
CriterionCheck CheckCriterion(Criterion criterion, const HeadLimits& head, const SearchContext& context);

// Applies the nine criteria in order; nothing when the head suits the laser.
std::optional<Rejection> FirstRejection(const HeadLimits& head, const SearchContext& context);

// A sentence naming the rejected head, the criterion and the values compared.
std::string DescribeRejection(const HeadRecord& head, const Rejection& rejection);

// The share of the head's limit that the laser uses, as the grid shows it.
std::string MarginText(const HeadLimits& head, const SearchContext& context, const NumberEntry& numbers);

// Writes one grid row per suitable head, in catalogue order, replacing the
// rows of the previous search. `limits` are the catalogue heads' own, in order.
void SearchHeads(const Catalogue& catalogue, const std::vector<HeadLimits>& limits, const LaserInputState& state,
                 const NumberEntry& numbers, ResultsGrid& grid);

}  // namespace tavrin
