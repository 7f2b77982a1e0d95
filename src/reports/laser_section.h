#pragma once

#include <string>
#include <vector>

#include "beam/labels.h"
#include "beam/laser_input_state.h"

namespace tavrin {

// Who reads the laser's section: the report writes it at the margin, the
// request indents it and lists fewer derived values.
enum class LaserSectionFor { Report, Request };

// The laser as entered and the derived values as the window shows them, from
// "DATA VALUE:" to the last derived value, one line each: the part the report
// and the request share. `decimal` writes the densities at the centre of a
// beam that is not flat.
std::vector<std::string> LaserSectionLines(const LaserInputState& state, const LabelCaptions& labels, char decimal,
                                           LaserSectionFor reader);

}  // namespace tavrin
