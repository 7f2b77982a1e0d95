#include "damage_threshold.h"

#include <array>

namespace tavrin {
namespace {

struct Decade {
    double lower;    // L: the segment's lower pulse width
    double divisor;  // D: the literal span of the segment
};

// Segment k runs from column k+1 at `lower` up to column k at ten times it.
constexpr std::array<Decade, 10> kDecades = {{
    {0.1, 0.9},
    {0.01, 0.09},
    {0.001, 0.009},
    {0.0001, 0.0009},
    {1e-5, 9e-5},
    {1e-6, 9e-6},
    {1e-7, 9e-7},
    {1e-8, 9e-8},
    {1e-9, 9e-9},
    {1e-10, 9e-10},
}};

double Interpolate(double upper, double lower, double divisor, double tau, double start) {
    return ((upper - lower) / divisor) * (tau - start) + lower;
}

}  // namespace

double DamageThresholdAt(const CoatingTable& coatings, int row, Laser laser, std::optional<double> tau) {
    if (row < 0 || row >= CoatingTable::kRows) {
        return 0;
    }
    const auto c = [&coatings, row](int column) { return coatings.At(row, column); };
    if (laser == Laser::CW) {
        return c(0);
    }
    if (!tau) {
        return 0;
    }
    const double t = *tau;
    if (t >= 1) {
        return c(0);
    }
    for (std::size_t k = 0; k < kDecades.size(); ++k) {
        if (t >= kDecades[k].lower) {
            const int column = static_cast<int>(k);
            return Interpolate(c(column), c(column + 1), kDecades[k].divisor, t, kDecades[k].lower);
        }
    }
    if (t >= 1e-11) {
        return c(10);
    }
    if (t <= 1e-12) {
        return c(11);
    }
    // Between 1 ps and 10 ps: the line from the 1 ps column to the 100 ps value held from 10 ps.
    return Interpolate(c(10), c(11), 9e-12, t, 1e-12);
}

std::optional<double> PulseWidthSeconds(const LaserInputState& state, const NumberEntry& numbers) {
    const UnitEntry& entry = state.PulseWidth();
    if (entry.Text.empty()) {
        return std::nullopt;
    }
    return numbers.BaseValue(entry.Text, UnitPrefix(state, EntryId::PulseWidth));
}

}  // namespace tavrin
