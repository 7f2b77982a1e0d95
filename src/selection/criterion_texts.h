#pragma once

#include <string>

#include "head_search.h"

namespace tavrin {

// How each criterion of the search reads: its key in --details and JSON, its
// caption for the user, the kind of limit, and the unit its values are written in.
enum class LimitKind { Upper, Lower, Range, Match };

struct CriterionText {
    const char* key;      // "power_max"
    const char* caption;  // "Max power"
    const char* unit;     // the unit written with an engineering prefix: "W", "m", "J/cm²"
    double toUnit;        // the search's own unit in that one (mm and µm are metres)
    LimitKind limit;
};

const CriterionText& TextOfCriterion(Criterion criterion);

// A value the criterion compares (in the search's unit), as the window and
// the command line's details write it: "636.6 kW/cm²", "10 mJ", "1.064 µm".
std::string CriterionQuantity(Criterion criterion, double value, char decimal);

// A beam size in mm, written the same way: "12.7 mm".
std::string BeamSizeText(double millimetres, char decimal);

}  // namespace tavrin
