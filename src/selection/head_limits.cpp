#include "head_limits.h"

namespace tavrin {

HeadLimits LimitsOf(const HeadRecord& head) {
    return HeadLimits{head.PowerMin, head.EnergyMin,       head.WaveMin,   head.WaveMax,   head.Aperture,
                      head.PowerMax, head.PowerDensityMax, head.EnergyMax, head.CoatingNo, IsProbe(head)};
}

const std::vector<HeadLimits>& MatchingLimits(const std::vector<HeadRecord>& heads,
                                              const std::vector<HeadLimits>& limits, std::vector<HeadLimits>& own) {
    if (limits.size() == heads.size()) {
        return limits;
    }
    own = LimitsOf(heads);
    return own;
}

std::vector<HeadLimits> LimitsOf(const std::vector<HeadRecord>& heads) {
    std::vector<HeadLimits> limits;
    limits.reserve(heads.size());
    for (const HeadRecord& head : heads) {
        limits.push_back(LimitsOf(head));
    }
    return limits;
}

}  // namespace tavrin
