#pragma once

#include <string>

#include "beam/labels.h"
#include "beam/laser_input_state.h"

namespace tavrin {

// The request for a custom head: the laser data and the questionnaire, lines
// joined by CR LF with none after the last; `decimal` as in the report.
std::string ComposeRequestText(const LaserInputState& state, const LabelCaptions& labels, char decimal = '.');

}  // namespace tavrin
