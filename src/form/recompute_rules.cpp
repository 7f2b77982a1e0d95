#include "recompute_rules.h"

#include <array>
#include <vector>

namespace tavrin {
namespace {

using Step = RecomputeStep;

struct Rule {
    std::vector<Step> afterText;
    std::vector<Step> afterUnit;
};

// In the order of EntryId.
const std::array<Rule, kEntryCount>& Rules() {
    static const std::array<Rule, kEntryCount> kRules = {{
        /* Beam1 */ {{Step::BeamArea, Step::PowerDensity, Step::EnergyDensity}, {}},
        /* Beam2 */ {{Step::BeamArea, Step::PowerDensity, Step::EnergyDensity}, {}},
        /* WaveLength */ {{}, {}},
        /* MaxPower */ {{Step::All}, {Step::All}},
        /* MaxEnergy */ {{Step::All}, {Step::All}},
        /* RepRate */
        {{Step::AveragePower, Step::PowerDensity, Step::EnergyDensity},
         {Step::AveragePower, Step::PowerDensity, Step::EnergyDensity}},
        /* PulseWidth */ {{Step::PeakPower, Step::PowerDensity}, {Step::PeakPower, Step::PowerDensity}},
    }};
    return kRules;
}

}  // namespace

std::span<const RecomputeStep> StepsAfterText(EntryId entry) {
    return Rules()[static_cast<std::size_t>(entry)].afterText;
}

std::span<const RecomputeStep> StepsAfterUnit(EntryId entry) {
    return Rules()[static_cast<std::size_t>(entry)].afterUnit;
}

}  // namespace tavrin
