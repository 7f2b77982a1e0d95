#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/head_record.h"

namespace tavrin {

// What the search compares of a head, packed together so that a search of a
// large catalogue reads little memory per head.
struct HeadLimits {
    double PowerMin = 0;
    double EnergyMin = 0;
    double WaveMin = 0;
    double WaveMax = 0;
    std::int16_t Aperture = 0;
    std::int16_t PowerMax = 0;
    std::int16_t PowerDensityMax = 0;
    std::int16_t EnergyMax = 0;
    std::int16_t CoatingNo = 0;
    bool Probe = false;
};

HeadLimits LimitsOf(const HeadRecord& head);
std::vector<HeadLimits> LimitsOf(const std::vector<HeadRecord>& heads);

}  // namespace tavrin
