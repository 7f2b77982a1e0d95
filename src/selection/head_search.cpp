#include "head_search.h"

#include <array>
#include <charconv>
#include <cmath>

#include "beam/beam_profile.h"
#include "criterion_texts.h"
#include "damage_threshold.h"
#include "monitors.h"
#include "share_ceiling.h"

namespace tavrin {
namespace {

std::string Number(double value) {
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 6);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

SearchContext::SearchContext(const LaserInputState& state, const NumberEntry& numbers, const CoatingTable& coatings)
    : m_averagePower(state.AveragePower),
      m_beamSize(state.BeamSize),
      m_peakFactor(tavrin::PeakFactor(state, numbers).value_or(1.0)),
      m_ceiling(ShareCeiling(state.MaxShare, numbers).value_or(1.0)),
      m_rule(state.Threshold),
      m_meanPowerDensity(state.PowerDensity),
      m_meanEnergyDensity(state.EnergyDensity),
      m_powerDensity(state.PowerDensity * m_peakFactor),
      m_energyDensity(state.EnergyDensity * m_peakFactor),
      m_pulsed(state.LaserType == Laser::Pulsed),
      m_single(state.SinglePulse()),
      m_probe(state.ProductType == Product::Probe),
      m_hasWavelength(!state.WaveLength().Text.empty()),
      m_pulseWidth(m_pulsed ? PulseWidthSeconds(state, numbers) : std::nullopt),
      m_energy(numbers.BaseValue(state.MaxEnergy().Text, UnitPrefix(state, EntryId::MaxEnergy))),
      m_wavelength(numbers.BaseValue(state.WaveLength().Text, UnitPrefix(state, EntryId::WaveLength))) {
    for (const Criterion criterion : kCriteriaInOrder) {
        bool applies = true;
        switch (criterion) {
            case Criterion::PowerMin:
                applies = !m_single;
                break;
            case Criterion::EnergyMax:
            case Criterion::DamageThreshold:
                applies = m_pulsed;
                break;
            case Criterion::EnergyMin:
                applies = m_pulsed && m_single;
                break;
            case Criterion::Wavelength:
                applies = m_hasWavelength;
                break;
            case Criterion::PowerMax:
            case Criterion::Aperture:
            case Criterion::PowerDensityMax:
            case Criterion::ProductType:
                break;
        }
        m_applies[static_cast<std::size_t>(criterion) - 1] = applies;
    }
    for (int row = 0; row < CoatingTable::kRows; ++row) {
        const auto at = static_cast<std::size_t>(row);
        m_lookups[at] = LookUpThreshold(coatings, row, m_pulsed ? Laser::Pulsed : Laser::CW, m_pulseWidth, m_rule);
        m_thresholds[at] = m_lookups[at].value;
    }
}

SearchContext SearchContext::WithPeakFactor(double factor) const {
    SearchContext other = *this;
    other.m_peakFactor = factor;
    other.m_powerDensity = m_meanPowerDensity * factor;
    other.m_energyDensity = m_meanEnergyDensity * factor;
    return other;
}

namespace {

// The values a criterion compares for a head.
Rejection Compared(Criterion criterion, const HeadLimits& head, const SearchContext& context) {
    switch (criterion) {
        case Criterion::PowerMax:
            return Rejection{criterion, static_cast<double>(head.PowerMax), context.AveragePower()};
        case Criterion::Aperture:
            return Rejection{criterion, static_cast<double>(head.Aperture), context.BeamSize()};
        case Criterion::PowerDensityMax:
            return Rejection{criterion, static_cast<double>(head.PowerDensityMax), context.PowerDensity()};
        case Criterion::PowerMin:
            return Rejection{criterion, head.PowerMin, context.AveragePower()};
        case Criterion::EnergyMax:
            return Rejection{criterion, static_cast<double>(head.EnergyMax), context.Energy()};
        case Criterion::EnergyMin:
            return Rejection{criterion, head.EnergyMin, context.Energy()};
        case Criterion::Wavelength:
            return Rejection{criterion, head.WaveMin, context.Wavelength(), head.WaveMax};
        case Criterion::DamageThreshold:
            return Rejection{criterion, context.Threshold(head), context.EnergyDensity(), 0, context.CoatingRow(head)};
        case Criterion::ProductType:
            break;
    }
    return Rejection{criterion, 0, 0};
}

// The values compared for a criterion the head fails, and whether only the ceiling fails it.
Rejection Failed(Criterion criterion, const HeadLimits& head, const SearchContext& context) {
    Rejection rejection = Compared(criterion, head, context);
    rejection.ceiling = context.Ceiling();
    rejection.ceilingOnly = context.Ceiling() != 1 && !FailsAt(criterion, head, context, 1);
    return rejection;
}

}  // namespace

CriterionCheck CheckCriterion(Criterion criterion, const HeadLimits& head, const SearchContext& context) {
    if (!context.Applies(criterion)) {
        return CriterionCheck{};
    }
    if (Fails(criterion, head, context)) {
        return CriterionCheck{true, false, Failed(criterion, head, context)};
    }
    return CriterionCheck{true, true, Compared(criterion, head, context)};
}

std::optional<Rejection> FirstRejection(const HeadLimits& head, const SearchContext& context) {
    for (const Criterion criterion : kCriteriaInOrder) {
        if (context.Applies(criterion) && Fails(criterion, head, context)) {
            return Failed(criterion, head, context);
        }
    }
    return std::nullopt;
}

std::optional<double> ShareOf(const Rejection& compared) {
    switch (compared.criterion) {
        case Criterion::Aperture:
            return compared.laserValue * kApertureFactor / compared.headValue;
        case Criterion::PowerMin:
        case Criterion::EnergyMin:
            return compared.headValue / compared.laserValue;
        case Criterion::PowerMax:
        case Criterion::PowerDensityMax:
        case Criterion::EnergyMax:
        case Criterion::DamageThreshold:
            return compared.laserValue / compared.headValue;
        case Criterion::Wavelength:
        case Criterion::ProductType:
            break;
    }
    return std::nullopt;
}

GaussianCheck CheckAsGaussian(const HeadLimits& head, const SearchContext& gaussian) {
    if (const auto rejection = FirstRejection(head, gaussian)) {
        return GaussianCheck{false, rejection->criterion, ShareOf(*rejection).value_or(0), rejection->ceilingOnly};
    }
    GaussianCheck check;
    for (const Criterion criterion : kCriteriaInOrder) {
        if (!gaussian.Applies(criterion) || TextOfCriterion(criterion).limit != LimitKind::Upper) {
            continue;
        }
        const auto used = ShareOf(Compared(criterion, head, gaussian));
        if (used && std::isfinite(*used) && *used >= check.used) {
            check.criterion = criterion;
            check.used = *used;
        }
    }
    return check;
}

std::string DescribeRejection(const HeadRecord& head, const Rejection& r) {
    const std::string name = head.Name + ": ";
    if (r.ceilingOnly) {
        const double laser = r.criterion == Criterion::Aperture ? r.laserValue * kApertureFactor : r.laserValue;
        return name + CriterionInSentence(r.criterion) + " " +
               BeyondCeilingText(ShareOf(r).value_or(0), r.ceiling, '.') + " (" +
               CriterionQuantity(r.criterion, laser, '.') + " against " +
               CriterionQuantity(r.criterion, r.headValue, '.') + ")";
    }
    switch (r.criterion) {
        case Criterion::PowerMax:
            return name + "max power " + Number(r.headValue) + " W < average power " + Number(r.laserValue) + " W";
        case Criterion::Aperture:
            return name + "aperture " + Number(r.headValue) + " mm < " + kApertureFactorText + " \u00D7 beam " +
                   Number(r.laserValue) + " mm";
        case Criterion::PowerDensityMax:
            return name + "max power density " + Number(r.headValue) + " W/cm2 < power density " +
                   Number(r.laserValue) + " W/cm2";
        case Criterion::PowerMin:
            return name + "min power " + Number(r.headValue) + " W > average power " + Number(r.laserValue) + " W";
        case Criterion::EnergyMax:
            return name + "max energy " + Number(r.headValue) + " J < pulse energy " + Number(r.laserValue) + " J";
        case Criterion::EnergyMin:
            return name + "min energy " + Number(r.headValue) + " J > pulse energy " + Number(r.laserValue) + " J";
        case Criterion::Wavelength:
            return name + "wavelength " + Number(r.laserValue) + " um outside " + Number(r.headValue) + " to " +
                   Number(r.headMax) + " um";
        case Criterion::DamageThreshold:
            return name + "damage threshold " + Number(r.headValue) + " J/cm2 (coating row " +
                   std::to_string(r.coatingRow) + ") < energy density " + Number(r.laserValue) + " J/cm2";
        case Criterion::ProductType:
            break;
    }
    return name + "type \"" + head.HeadType + "\" does not match the product type";
}

std::string MarginText(const HeadLimits& head, const SearchContext& context, const NumberEntry& numbers) {
    // Every head starts from 0, and a limit of 0 leaves it there rather than dividing by it.
    double margin = 0;
    if (context.Pulsed()) {
        const double threshold = context.Threshold(head);
        if (threshold > 0) {
            margin = context.EnergyDensity() * 100 / threshold;
        }
    } else if (head.PowerDensityMax > 0) {
        margin = context.PowerDensity() * 100 / head.PowerDensityMax;
    }
    if (margin < 5) {
        return "<5 %";
    }
    if (margin < 99.5) {
        return numbers.FormatWhole(margin) + " %";
    }
    return "99 %";
}

void SearchHeads(const Catalogue& catalogue, const std::vector<HeadLimits>& limits, const LaserInputState& state,
                 const NumberEntry& numbers, ResultsGrid& grid, std::vector<HeadRejection>* rejections) {
    std::vector<HeadLimits> ownLimits;
    const std::vector<HeadLimits>& checkedLimits = MatchingLimits(catalogue.Heads, limits, ownLimits);
    grid.ClearGrid(false);
    if (rejections != nullptr) {
        rejections->clear();
    }
    const SearchContext context(state, numbers, catalogue.Coatings);
    // A uniform beam's heads are checked again as a Gaussian beam's of the same sizes.
    std::optional<SearchContext> gaussian;
    if (state.BeamProfile == Profile::Uniform) {
        gaussian = context.WithPeakFactor(GaussianFactor(state.BeamShape));
    }
    int row = 1;
    for (std::size_t i = 0; i < catalogue.Heads.size(); ++i) {
        const HeadLimits& limit = checkedLimits[i];
        if (!Fits(limit, context)) {
            if (rejections != nullptr) {
                rejections->push_back(HeadRejection{i, *FirstRejection(limit, context)});
            }
            continue;
        }
        const HeadRecord& head = catalogue.Heads[i];
        const auto tag = static_cast<std::int64_t>(i);
        grid.SetCell(row, GridColumn::Name, head.Name, tag);
        grid.SetCell(row, GridColumn::Margin, MarginText(limit, context, numbers), tag);
        for (const Monitor& monitor : kMonitors) {
            grid.SetCell(row, monitor.column, head.*monitor.resolution);
        }
        if (gaussian && !Fits(limit, *gaussian)) {
            grid.SetRowNote(row, GaussianCheckText(CheckAsGaussian(limit, *gaussian), context.Ceiling(),
                                                   numbers.DecimalSeparator()));
        }
        ++row;
    }
}

}  // namespace tavrin
