#include "criterion_texts.h"

#include <array>

#include "beam/engineering_text.h"

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

std::string CriterionQuantity(Criterion criterion, double value, char decimal) {
    const CriterionText& text = TextOfCriterion(criterion);
    return FormatQuantity(value * text.toUnit, text.unit, decimal);
}

std::string BeamSizeText(double millimetres, char decimal) {
    return FormatQuantity(millimetres * 1e-3, "m", decimal);
}

}  // namespace tavrin
