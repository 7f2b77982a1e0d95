#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
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

// The limits to read by position beside `heads`: `limits` when they are as
// many, otherwise the heads' own, made into `own`, so that a copy that does
// not match the catalogue (a caller's mistake) is never read past either end.
const std::vector<HeadLimits>& MatchingLimits(const std::vector<HeadRecord>& heads,
                                              const std::vector<HeadLimits>& limits, std::vector<HeadLimits>& own);

// A catalogue with its heads' limits read once, shared by every window model
// that searches it (the batch runs each row on a model of its own).
struct SearchCatalogue {
    explicit SearchCatalogue(Catalogue loaded) : catalogue(std::move(loaded)), limits(LimitsOf(catalogue.Heads)) {}

    Catalogue catalogue;
    std::vector<HeadLimits> limits;
};

}  // namespace tavrin
