#include "head_limits.h"

namespace tavrin {

HeadLimits LimitsOf(const HeadRecord& head) {
    return HeadLimits{head.PowerMin, head.EnergyMin,       head.WaveMin,   head.WaveMax,   head.Aperture,
                      head.PowerMax, head.PowerDensityMax, head.EnergyMax, head.CoatingNo, IsProbe(head)};
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
