#pragma once

#include <string>

#include "beam/labels.h"
#include "beam/laser_input_state.h"

namespace tavrin {

// The request for a custom head: the laser data and the questionnaire, lines
// joined by CR LF with none after the last.
std::string ComposeRequestText(const LaserInputState& state, const LabelCaptions& labels);

}  // namespace tavrin
