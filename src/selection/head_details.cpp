#include "head_details.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>

#include "beam/beam_host.h"
#include "beam/beam_profile.h"
#include "beam/derived_values.h"
#include "criterion_texts.h"
#include "damage_threshold.h"
#include "head_search.h"

namespace tavrin {
namespace {

// The usage of one applied criterion, from the values the search compared.
CriterionUsage UsageOf(const CriterionCheck& check) {
    const Rejection& v = check.values;
    CriterionUsage usage{TextOfCriterion(v.criterion).key, v.criterion};
    usage.laser = v.criterion == Criterion::Aperture ? v.laserValue * kApertureFactor : v.laserValue;
    usage.limit = v.headValue;
    usage.passes = check.passes;
    usage.ceilingOnly = v.ceilingOnly;
    usage.used = ShareOf(v);
    if (v.criterion == Criterion::Wavelength) {
        usage.limitMax = v.headMax;
        usage.inRange = check.passes;
    }
    return usage;
}

// Writes land in a copy of the laser, without the window's nested behaviour:
// enough for the derived values of another beam size.
class BeamTrial final : public BeamHost {
public:
    BeamTrial(LaserInputState state, const NumberEntry& numbers) : m_state(std::move(state)), m_numbers(&numbers) {}
    LaserInputState& InputState() override { return m_state; }
    const NumberEntry& Numbers() const override { return *m_numbers; }
    void SetCaption(LabelId, std::string) override {}
    void WriteEntryText(EntryId entry, std::string text) override { m_state.Entry(entry).Text = std::move(text); }
    void SelectUnitText(EntryId entry, const std::string& unit) override {
        m_state.Entry(entry).UnitIndex = m_state.Entry(entry).IndexOf(unit);
    }
    void WarnOverflow() override {}

private:
    LaserInputState m_state;
    const NumberEntry* m_numbers;
};

// The search's view of the laser with the beam scaled, as typing the new beam
// into the window would give it; one context per grid step, made once.
class BeamScan {
public:
    BeamScan(const LaserInputState& state, const NumberEntry& numbers, const CoatingTable& coatings, double step)
        : m_state(&state), m_numbers(&numbers), m_coatings(&coatings), m_step(step) {}

    // The context with the beam at grid step n (the diameter, or the scale of both sides).
    const SearchContext& At(long n) {
        auto found = m_contexts.find(n);
        if (found == m_contexts.end()) {
            found = m_contexts.try_emplace(n, Scaled(static_cast<double>(n) * m_step), *m_numbers, *m_coatings).first;
        }
        return found->second.context;
    }

private:
    // The host's laser with the beam typed and its derived values made; the
    // context points into it, so a trial never moves (map nodes stay put).
    struct Trial {
        Trial(LaserInputState state, const NumberEntry& numbers, const CoatingTable& coatings)
            : host(std::move(state), numbers), context(Derive(host), numbers, coatings) {}
        Trial(const Trial&) = delete;
        Trial& operator=(const Trial&) = delete;

        BeamTrial host;
        SearchContext context;
    };

    static const LaserInputState& Derive(BeamTrial& host) {
        ShowBeamArea(host);
        ShowPowerDensity(host, false);
        ShowEnergyDensity(host, false);
        return host.InputState();
    }

    LaserInputState Scaled(double value) const {
        LaserInputState state = *m_state;
        if (state.BeamShape == Shape::Circular) {
            state.Beam1().Text = m_numbers->DoubleToText(value);
        } else {
            state.Beam1().Text = m_numbers->DoubleToText(m_numbers->TextToValue(m_state->Beam1().Text) * value);
            state.Beam2().Text = m_numbers->DoubleToText(m_numbers->TextToValue(m_state->Beam2().Text) * value);
        }
        return state;
    }

    const LaserInputState* m_state;
    const NumberEntry* m_numbers;
    const CoatingTable* m_coatings;
    double m_step;
    std::map<long, Trial> m_contexts;
};

constexpr long kLargestStep = 10'000'000;

bool Passes(Criterion criterion, const HeadLimits& head, const SearchContext& context) {
    const CriterionCheck check = CheckCriterion(criterion, head, context);
    return !check.applies || check.passes;
}

// The grid step nearest to `start` at which the head is kept, moving the way
// the failing criterion asks: larger for the densities, smaller for the
// aperture. The beam-dependent criteria are monotonic in the beam, so a
// bisection finds the boundary; the whole search then confirms it.
std::optional<long> NearestFit(const HeadLimits& head, Criterion failing, long start, BeamScan& scan) {
    const bool grow = failing == Criterion::PowerDensityMax || failing == Criterion::DamageThreshold;
    const auto beamPasses = [&](long n) {
        return grow ? Passes(Criterion::PowerDensityMax, head, scan.At(n)) &&
                          Passes(Criterion::DamageThreshold, head, scan.At(n))
                    : Passes(Criterion::Aperture, head, scan.At(n));
    };
    long good = 0;
    long bad = start;
    if (grow) {
        long probe = std::max(start, 1L);
        while (!beamPasses(probe)) {
            bad = probe;
            if (probe > kLargestStep) {
                return std::nullopt;
            }
            probe *= 2;
        }
        good = probe;
        while (good - bad > 1) {
            const long middle = bad + (good - bad) / 2;
            (beamPasses(middle) ? good : bad) = middle;
        }
    } else {
        if (!beamPasses(1)) {
            return std::nullopt;
        }
        good = beamPasses(start) ? start : 1;
        while (bad - good > 1) {
            const long middle = good + (bad - good) / 2;
            (beamPasses(middle) ? good : bad) = middle;
        }
    }
    if (FirstRejection(head, scan.At(good))) {
        return std::nullopt;
    }
    return good;
}

HeadUsage UsageOf(std::size_t index, const HeadLimits& head, const SearchContext& context) {
    HeadUsage usage{index};
    if (context.Pulsed()) {
        usage.coatingRow = context.CoatingRow(head);
        usage.threshold = context.Threshold(head);
        usage.thresholdLookup = context.Lookup(head);
    }
    for (const Criterion criterion : kCriteriaInOrder) {
        const CriterionCheck check = CheckCriterion(criterion, head, context);
        if (check.applies) {
            usage.usage.push_back(UsageOf(check));
        }
    }
    return usage;
}

}  // namespace

std::vector<std::pair<double, double>> ThresholdCurve(const CoatingTable& coatings, int row, ThresholdRule rule) {
    std::vector<std::pair<double, double>> points;
    for (int exponent = -12; exponent <= 0; ++exponent) {
        for (int tenth = 0; tenth < 10 && !(exponent == 0 && tenth > 0); ++tenth) {
            // Decade ends are the literals the lookup compares with.
            const double tau =
                tenth == 0 ? std::stod("1e" + std::to_string(exponent)) : std::pow(10.0, exponent + tenth / 10.0);
            points.emplace_back(tau, DamageThresholdAt(coatings, row, Laser::Pulsed, tau, rule));
        }
    }
    return points;
}

SearchDetails ComputeDetails(const Catalogue& catalogue, const std::vector<HeadLimits>& limits,
                             const LaserInputState& state, const NumberEntry& numbers) {
    std::vector<HeadLimits> own;
    const std::vector<HeadLimits>& heads = MatchingLimits(catalogue.Heads, limits, own);
    const SearchContext context(state, numbers, catalogue.Coatings);
    SearchDetails details;
    details.operatingPoint = {context.PulseWidth(),
                              context.EnergyDensity(),
                              context.PowerDensity(),
                              context.PeakFactor(),
                              state.EnergyDensity,
                              state.PowerDensity,
                              state.PeakPowerDensity * context.PeakFactor(),
                              context.Ceiling(),
                              context.Rule(),
                              context.Pulsed() && context.SinglePulse()};
    // A uniform beam's kept heads are checked again as a Gaussian beam's of the same sizes.
    std::optional<SearchContext> gaussian;
    if (state.BeamProfile == Profile::Uniform) {
        gaussian = context.WithPeakFactor(GaussianFactor(state.BeamShape));
    }
    // Apertures are whole millimetres, so a catalogue has few of them: each
    // share is worked out once (an elliptical beam's takes thousands of steps).
    std::map<std::int16_t, std::optional<double>> passed;
    const auto clipping = [&](HeadUsage& usage, const HeadLimits& head) {
        if (state.BeamProfile != Profile::Gaussian) {
            return;
        }
        auto found = passed.find(head.Aperture);
        if (found == passed.end()) {
            found = passed.emplace(head.Aperture, AperturePowerFraction(head.Aperture, state, numbers)).first;
        }
        usage.aperturePowerFraction = found->second;
    };

    const bool circular = state.BeamShape == Shape::Circular;
    const double step = circular ? 0.1 : 0.01;
    BeamScan scan(state, numbers, catalogue.Coatings, step);
    // A beam beyond the largest step starts the scan just past it, where no
    // larger beam is looked for (a rounding past the range of a long would
    // start it anywhere).
    const double startSteps = circular ? context.BeamSize() / step : 1 / step;
    const long start = startSteps < static_cast<double>(kLargestStep) ? std::lround(startSteps) : kLargestStep + 1;
    std::map<int, bool> rows;
    for (std::size_t i = 0; i < heads.size(); ++i) {
        const HeadLimits& head = heads[i];
        if (const auto rejection = FirstRejection(head, context)) {
            RejectedHeadDetails rejected{UsageOf(i, head, context),
                                         UsageOf(CheckCriterion(rejection->criterion, head, context))};
            clipping(rejected.head, head);
            const Criterion failing = rejection->criterion;
            if (failing == Criterion::Aperture || failing == Criterion::PowerDensityMax ||
                failing == Criterion::DamageThreshold) {
                if (const auto fit = NearestFit(head, failing, start, scan)) {
                    (circular ? rejected.fitsWithBeamMm : rejected.fitsWithBeamScale) =
                        static_cast<double>(*fit) / (circular ? 10.0 : 100.0);
                }
            }
            details.rejected.push_back(std::move(rejected));
            continue;
        }
        KeptHeadDetails kept{UsageOf(i, head, context)};
        clipping(kept, head);
        if (gaussian) {
            kept.ifGaussian = CheckAsGaussian(head, *gaussian);
        }
        if (kept.coatingRow) {
            rows[*kept.coatingRow] = true;
        }
        details.kept.push_back(std::move(kept));
    }
    for (const auto& [row, used] : rows) {
        if (row >= 0 && row < CoatingTable::kRows) {
            details.curves.emplace_back(row, ThresholdCurve(catalogue.Coatings, row, context.Rule()));
        }
    }
    return details;
}

}  // namespace tavrin
