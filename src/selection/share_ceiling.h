#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "beam/laser_input_state.h"
#include "beam/number_entry.h"

namespace tavrin {

// The most of each head limit the search lets the laser use, as a fraction,
// from the percentage typed: 1 for an empty entry (100 %); empty for a text
// that is not a number above 0 and at most 100.
std::optional<double> ShareCeiling(std::string_view percent, const NumberEntry& numbers);

// A share of a limit as the window, the details, the command line and the
// explanations all write it: a whole percent, halves up ("73 %"), "<1 %" for
// a share that rounds to 0, "n.a." for none (0/0, a limit of 0), four
// significant digits for a share too large for whole ones.
std::string ShareText(const std::optional<double>& share);

// The window's captions of the two selection rules, which the PDF report
// writes too.
inline constexpr const char* kShareCeilingCaption = "Use at most";
inline constexpr const char* kShareCeilingUnit = "% of each limit";
inline constexpr const char* kThresholdRuleCaption = "Threshold between catalogue points";
// The window's name of a threshold rule: "As listed", "Conservative".
const char* ThresholdRuleName(ThresholdRule rule);

// The PDF report's lines for both selection rules, stated also when they are
// the defaults: "Use at most 100 % of each limit", "Threshold between
// catalogue points: As listed".
std::vector<std::string> StatedRuleLines(const LaserInputState& state);

// The report's and the request's lines for the selection rules the user
// changed from their defaults: the ceiling when it is below 100 %, the
// conservative threshold rule. None with the defaults.
std::vector<std::string> SelectionRuleLines(const LaserInputState& state);

}  // namespace tavrin
