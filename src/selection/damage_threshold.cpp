#include "damage_threshold.h"

#include <algorithm>
#include <array>
#include <cmath>

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

constexpr int kColumn100ps = 10;
constexpr int kColumn1ps = 11;

double Interpolate(double upper, double lower, double divisor, double tau, double start) {
    return ((upper - lower) / divisor) * (tau - start) + lower;
}

// A pulse width that differs from a column's only by the rounding of its
// conversion ("100 ps" is 1.0000000000000001e-10 s) reads that column.
bool AtColumn(double tau, double column) {
    return std::abs(tau / column - 1) <= 1e-9;
}

// The listed value and where it comes from, with the two catalogue points
// around the pulse width (none where the value is a column or held).
struct Listed {
    ThresholdLookup lookup;
    int upperColumn = -1;  // the point at the longer pulse width
    double upperTau = 0;
    double lowerTau = 0;
};

Listed ListedAt(const CoatingTable& coatings, int row, double t) {
    const auto c = [&coatings, row](int column) { return coatings.At(row, column); };
    const auto point = [](double value) { return Listed{{value, ThresholdBasis::CataloguePoint, value}}; };
    if (t >= 1) {
        return AtColumn(t, 1) ? point(c(0)) : Listed{{c(0), ThresholdBasis::HeldFrom1s, c(0)}};
    }
    for (std::size_t k = 0; k < kDecades.size(); ++k) {
        const Decade& decade = kDecades[k];
        if (t >= decade.lower) {
            const int column = static_cast<int>(k);
            const double value = Interpolate(c(column), c(column + 1), decade.divisor, t, decade.lower);
            if (AtColumn(t, decade.lower) || AtColumn(t, decade.lower + decade.divisor)) {
                return point(value);
            }
            return Listed{
                {value, ThresholdBasis::Interpolated, value}, column, decade.lower + decade.divisor, decade.lower};
        }
    }
    if (t >= 1e-11) {
        const double value = c(kColumn100ps);
        if (AtColumn(t, 1e-10)) {
            return point(value);
        }
        return Listed{{value, ThresholdBasis::HeldFrom100ps, value}, kColumn100ps, 1e-10, 1e-12};
    }
    if (t <= 1e-12) {
        const double value = c(kColumn1ps);
        return AtColumn(t, 1e-12) ? point(value) : Listed{{value, ThresholdBasis::HeldFrom1ps, value}};
    }
    // Between 1 ps and 10 ps: the line from the 1 ps column to the 100 ps value held from 10 ps.
    const double value = Interpolate(c(kColumn100ps), c(kColumn1ps), 9e-12, t, 1e-12);
    return Listed{{value, ThresholdBasis::Between10psAnd1ps, value}, kColumn100ps, 1e-10, 1e-12};
}

}  // namespace

const char* ThresholdBasisText(ThresholdBasis basis) {
    switch (basis) {
        case ThresholdBasis::CataloguePoint:
            return "catalogue point";
        case ThresholdBasis::Interpolated:
            return "interpolated";
        case ThresholdBasis::HeldFrom100ps:
            return "held from 100 ps";
        case ThresholdBasis::Between10psAnd1ps:
            return "between 10 ps and 1 ps";
        case ThresholdBasis::HeldFrom1ps:
            return "held from 1 ps";
        case ThresholdBasis::HeldFrom1s:
            break;
    }
    return "held from 1 s";
}

bool HeldOrBridged(ThresholdBasis basis) {
    return basis != ThresholdBasis::CataloguePoint && basis != ThresholdBasis::Interpolated;
}

const char* ThresholdRuleKey(ThresholdRule rule) {
    return rule == ThresholdRule::Conservative ? "conservative" : "as-listed";
}

ThresholdLookup LookUpThreshold(const CoatingTable& coatings, int row, Laser laser, std::optional<double> tau,
                                ThresholdRule rule) {
    if (row < 0 || row >= CoatingTable::kRows) {
        return {};
    }
    if (laser == Laser::CW) {
        const double value = coatings.At(row, 0);
        return {value, ThresholdBasis::CataloguePoint, value};
    }
    if (!tau) {
        return {};
    }
    const Listed listed = ListedAt(coatings, row, *tau);
    ThresholdLookup lookup = listed.lookup;
    if (rule == ThresholdRule::AsListed || listed.upperColumn < 0) {
        return lookup;
    }
    // T = C_b (τ/τ_b)^p through the points a > b around τ, p = log(C_a/C_b) / log(τ_a/τ_b);
    // a point that is not above 0 has no power law, and the listed value stands.
    const int lowerColumn = listed.upperColumn == kColumn100ps ? kColumn1ps : listed.upperColumn + 1;
    const double upper = coatings.At(row, listed.upperColumn);
    const double lower = coatings.At(row, lowerColumn);
    if (!(upper > 0) || !(lower > 0) || !std::isfinite(upper) || !std::isfinite(lower)) {
        return lookup;
    }
    const double exponent = std::log(upper / lower) / std::log(listed.upperTau / listed.lowerTau);
    const double powerLaw = lower * std::pow(*tau / listed.lowerTau, exponent);
    if (powerLaw < lookup.value) {
        lookup.value = powerLaw;
        lookup.powerLaw = true;
    }
    return lookup;
}

double DamageThresholdAt(const CoatingTable& coatings, int row, Laser laser, std::optional<double> tau,
                         ThresholdRule rule) {
    return LookUpThreshold(coatings, row, laser, tau, rule).value;
}

std::optional<double> PulseWidthSeconds(const LaserInputState& state, const NumberEntry& numbers) {
    const UnitEntry& entry = state.PulseWidth();
    if (entry.Text.empty()) {
        return std::nullopt;
    }
    return numbers.BaseValue(entry.Text, UnitPrefix(state, EntryId::PulseWidth));
}

}  // namespace tavrin
