#pragma once

#include <string>

namespace tavrin {

// How each criterion of the search reads for the user: its caption, the kind
// of limit, and the unit its values are written in.
enum class LimitKind { Upper, Lower, Range, Match };

struct CriterionText {
    const char* caption;  // "Max power"
    const char* unit;     // the unit written with an engineering prefix: "W", "m", "J/cm²"
    double toUnit;        // the search's own unit in that one (mm and µm are metres)
    LimitKind limit;
};

// The text of criterion 1 to 9, in the search's order.
const CriterionText& TextOfCriterion(int criterion);

// A value the criterion compares (in the search's unit), as the window and
// the command line's details write it: "636.6 kW/cm²", "10 mJ", "1.064 µm".
std::string CriterionQuantity(int criterion, double value, char decimal);

// A beam size in mm, written the same way: "12.7 mm".
std::string BeamSizeText(double millimetres, char decimal);

}  // namespace tavrin
