#include "criterion_texts.h"

#include <array>
#include <string_view>

#include "beam/engineering_text.h"
#include "share_ceiling.h"

namespace tavrin {
namespace {

// Texts joined when the program is built, for a table of constant texts.
template <std::size_t... N>
consteval auto Joined(const char (&... parts)[N]) {
    std::array<char, (N + ...) - sizeof...(N) + 1> text{};
    std::size_t at = 0;
    for (const std::string_view part : {std::string_view(parts, N - 1)...}) {
        for (const char c : part) {
            text.at(at++) = c;
        }
    }
    return text;
}

constexpr auto kApertureCaption = Joined("Aperture (", kApertureFactorText, " \u00D7 beam)");

// One row per criterion, in the enumeration's order, which TextOfCriterion indexes.
constexpr std::array<CriterionText, kCriteria> kCriterionTexts = {{
    {Criterion::PowerMax, "power_max", "Max power", "W", 1, LimitKind::Upper},
    {Criterion::Aperture, "aperture", kApertureCaption.data(), "m", 1e-3, LimitKind::Upper},
    {Criterion::PowerDensityMax, "power_density_max", "Max power density", "W/cm\u00B2", 1, LimitKind::Upper},
    {Criterion::PowerMin, "power_min", "Min power", "W", 1, LimitKind::Lower},
    {Criterion::EnergyMax, "energy_max", "Max energy", "J", 1, LimitKind::Upper},
    {Criterion::EnergyMin, "energy_min", "Min energy", "J", 1, LimitKind::Lower},
    {Criterion::Wavelength, "wavelength", "Wavelength", "m", 1e-6, LimitKind::Range},
    {Criterion::DamageThreshold, "damage_threshold", "Damage threshold", "J/cm\u00B2", 1, LimitKind::Upper},
    {Criterion::ProductType, "product_type", "Product type", "", 1, LimitKind::Match},
}};

// Every criterion has its row, in its place, with a key and a caption: a row
// left out or moved stops the build instead of reading as an empty key.
constexpr bool EveryCriterionInPlace() {
    for (std::size_t i = 0; i < kCriterionTexts.size(); ++i) {
        const CriterionText& text = kCriterionTexts[i];
        if (static_cast<std::size_t>(text.criterion) != i + 1 || text.key == nullptr ||
            std::string_view(text.key).empty() || text.caption == nullptr || std::string_view(text.caption).empty()) {
            return false;
        }
    }
    return true;
}
static_assert(EveryCriterionInPlace(), "kCriterionTexts needs one row per criterion, in the enumeration's order");

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

std::string FitsText(const std::optional<double>& beamMm, const std::optional<double>& beamScale, char decimal) {
    if (beamMm) {
        return "fits with a beam of " + BeamSizeText(*beamMm, decimal);
    }
    if (beamScale) {
        return "fits with both sides scaled by " + FormatSignificant(*beamScale, decimal);
    }
    return "";
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
