#include "criterion_texts.h"

#include <array>

#include "beam/engineering_text.h"
#include "share_ceiling.h"

namespace tavrin {
namespace {

// In the search's order.
constexpr std::array<CriterionText, kCriteria> kCriterionTexts = {{
    {"power_max", "Max power", "W", 1, LimitKind::Upper},
    {"aperture", "Aperture (1.16 \u00D7 beam)", "m", 1e-3, LimitKind::Upper},
    {"power_density_max", "Max power density", "W/cm\u00B2", 1, LimitKind::Upper},
    {"power_min", "Min power", "W", 1, LimitKind::Lower},
    {"energy_max", "Max energy", "J", 1, LimitKind::Upper},
    {"energy_min", "Min energy", "J", 1, LimitKind::Lower},
    {"wavelength", "Wavelength", "m", 1e-6, LimitKind::Range},
    {"damage_threshold", "Damage threshold", "J/cm\u00B2", 1, LimitKind::Upper},
    {"product_type", "Product type", "", 1, LimitKind::Match},
}};

}  // namespace

const CriterionText& TextOfCriterion(Criterion criterion) {
    return kCriterionTexts.at(static_cast<std::size_t>(criterion) - 1);
}

std::string CriterionInSentence(Criterion criterion) {
    std::string caption = TextOfCriterion(criterion).caption;
    if (!caption.empty() && caption.front() >= 'A' && caption.front() <= 'Z') {
        caption.front() = static_cast<char>(caption.front() - 'A' + 'a');
    }
    return caption;
}

std::string CriterionQuantity(Criterion criterion, double value, char decimal) {
    const CriterionText& text = TextOfCriterion(criterion);
    return FormatQuantity(value * text.toUnit, text.unit, decimal);
}

std::string BeamSizeText(double millimetres, char decimal) {
    return FormatQuantity(millimetres * 1e-3, "m", decimal);
}

std::string BeyondCeilingText(double used, double ceiling, char decimal) {
    return ShareText(used) + " > " + FormatSignificant(ceiling * 100, decimal) + " % ceiling";
}

std::string CeilingNote(double ceiling, char decimal) {
    return "Ceiling: a head is kept only when it uses at most " + FormatSignificant(ceiling * 100, decimal) +
           " % of each limit";
}

std::string GaussianCheckText(const GaussianCheck& check, double ceiling, char decimal) {
    std::string text = "With a Gaussian beam of these 1/e\u00B2 sizes: " + CriterionInSentence(check.criterion) + " ";
    text += check.ceilingOnly ? BeyondCeilingText(check.used, ceiling, decimal) : ShareText(check.used);
    return text + (check.kept ? " \u2014 would still suit" : " \u2014 would not suit");
}

namespace {

const char* BasisExplained(ThresholdBasis basis) {
    switch (basis) {
        case ThresholdBasis::CataloguePoint:
            return "a catalogue point";
        case ThresholdBasis::Interpolated:
            return "interpolated between catalogue points";
        case ThresholdBasis::HeldFrom100ps:
            return "held from 100 ps (no catalogue point down to 1 ps)";
        case ThresholdBasis::Between10psAnd1ps:
            return "between 10 ps and 1 ps, on a straight line to the 1 ps point (no catalogue point at 10 ps)";
        case ThresholdBasis::HeldFrom1ps:
            return "held from 1 ps (no catalogue point below)";
        case ThresholdBasis::HeldFrom1s:
            break;
    }
    return "held from 1 s (no catalogue point above)";
}

}  // namespace

std::string ThresholdNote(const ThresholdLookup& lookup, double pulseWidth, ThresholdRule rule, char decimal) {
    const auto density = [decimal](double value) { return FormatQuantity(value, "J/cm\u00B2", decimal); };
    std::string note = "Threshold " + density(lookup.value) + " at " + FormatQuantity(pulseWidth, "s", decimal) + ": ";
    if (lookup.powerLaw) {
        return note + "the power law through the neighbouring catalogue points (conservative; as listed " +
               density(lookup.listed) + ", " + ThresholdBasisText(lookup.basis) + ")";
    }
    note += BasisExplained(lookup.basis);
    const bool between = lookup.basis == ThresholdBasis::Interpolated ||
                         lookup.basis == ThresholdBasis::HeldFrom100ps ||
                         lookup.basis == ThresholdBasis::Between10psAnd1ps;
    if (rule == ThresholdRule::Conservative && between) {
        note += "; not above the power law through the neighbouring points, so it stands (conservative)";
    }
    return note;
}

}  // namespace tavrin
