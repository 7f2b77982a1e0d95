#include "criterion_texts.h"

#include <array>
#include <cassert>

#include "beam/engineering_text.h"
#include "head_search.h"

namespace tavrin {
namespace {

constexpr std::array<CriterionText, kCriteria> kCriterionTexts = {{
    {"Max power", "W", 1, LimitKind::Upper},
    {"Aperture (1.16 \u00D7 beam)", "m", 1e-3, LimitKind::Upper},
    {"Max power density", "W/cm\u00B2", 1, LimitKind::Upper},
    {"Min power", "W", 1, LimitKind::Lower},
    {"Max energy", "J", 1, LimitKind::Upper},
    {"Min energy", "J", 1, LimitKind::Lower},
    {"Wavelength", "m", 1e-6, LimitKind::Range},
    {"Damage threshold", "J/cm\u00B2", 1, LimitKind::Upper},
    {"Product type", "", 1, LimitKind::Match},
}};

}  // namespace

const CriterionText& TextOfCriterion(int criterion) {
    assert(criterion >= 1 && criterion <= kCriteria && "a criterion of the search");
    return kCriterionTexts.at(static_cast<std::size_t>(criterion - 1));
}

std::string CriterionQuantity(int criterion, double value, char decimal) {
    const CriterionText& text = TextOfCriterion(criterion);
    return FormatQuantity(value * text.toUnit, text.unit, decimal);
}

std::string BeamSizeText(double millimetres, char decimal) {
    return FormatQuantity(millimetres * 1e-3, "m", decimal);
}

}  // namespace tavrin
