#pragma once

#include <optional>
#include <string>

#include "head_search.h"

namespace tavrin {

// How each criterion of the search reads: its key in --details and JSON, its
// caption for the user, the kind of limit, and the unit its values are written in.
enum class LimitKind { Upper, Lower, Range, Match };

struct CriterionText {
    Criterion criterion;
    const char* key;      // "power_max"
    const char* caption;  // "Max power"
    const char* unit;     // the unit written with an engineering prefix: "W", "m", "J/cm²"
    double toUnit;        // the search's own unit in that one (mm and µm are metres)
    LimitKind limit;
};

const CriterionText& TextOfCriterion(Criterion criterion);

// The caption as it reads inside a sentence: "max power density".
std::string CriterionInSentence(Criterion criterion);

// A value the criterion compares (in the search's unit), as the window and
// the command line's details write it: "636.6 kW/cm²", "10 mJ", "1.064 µm".
std::string CriterionQuantity(Criterion criterion, double value, char decimal);

// A beam size in mm, written the same way: "12.7 mm".
std::string BeamSizeText(double millimetres, char decimal);

// What would let a rejected head suit: "fits with a beam of 12.7 mm", or for
// a rectangle "fits with both sides scaled by 0.8"; empty when nothing would.
std::string FitsText(const std::optional<double>& beamMm, const std::optional<double>& beamScale, char decimal);

// A share beyond the user's ceiling though within the limit: "68 % > 50 % ceiling".
std::string BeyondCeilingText(double used, double ceiling, char decimal);

// The ceiling the user set: "At most 50 % of each limit is used (the ceiling)".
std::string CeilingNote(double ceiling, char decimal);

// What a single pulse's average-power checks assume.
inline constexpr const char* kSinglePulseNote =
    "Single pulse: the average-power checks (max power, max power density) take one pulse per second.";

// How a uniform beam's head would fare with a Gaussian beam of the same
// sizes: "With a Gaussian beam of these 1/e² sizes: damage threshold 160 % —
// would not suit" (or "— would still suit" with its largest share).
std::string GaussianCheckText(const GaussianCheck& check, double ceiling, char decimal);

// Where a threshold came from, and under the conservative rule which value
// was used: "Threshold 30 mJ/cm² at 10 ps: held from 100 ps (no catalogue
// point down to 1 ps)".
std::string ThresholdNote(const ThresholdLookup& lookup, double pulseWidth, ThresholdRule rule, char decimal);

}  // namespace tavrin
