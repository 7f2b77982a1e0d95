#include "share_ceiling.h"

#include <cmath>
#include <string>

#include "beam/engineering_text.h"

namespace tavrin {

std::optional<double> ShareCeiling(std::string_view percent, const NumberEntry& numbers) {
    if (percent.empty()) {
        return 1.0;
    }
    if (!numbers.ConvertsToNumber(percent)) {
        return std::nullopt;
    }
    const double value = numbers.TextToValue(percent);
    return value > 0 && value <= 100 ? std::optional<double>(value / 100) : std::nullopt;
}

std::string ShareText(const std::optional<double>& share) {
    if (!share || !std::isfinite(*share)) {
        return "n.a.";
    }
    const double percent = *share * 100;
    if (percent >= 1e6) {
        return FormatSignificant(percent, '.') + " %";
    }
    // Halves round up, away from the limit's side of safety; a share that
    // would round to nothing still says that it is there.
    const long whole = std::lround(percent);
    return whole < 1 ? "<1 %" : std::to_string(whole) + " %";
}

const char* ThresholdRuleName(ThresholdRule rule) {
    return rule == ThresholdRule::Conservative ? "Conservative" : "As listed";
}

std::vector<std::string> StatedRuleLines(const LaserInputState& state) {
    const auto first = state.MaxShare.find_first_not_of(' ');
    const std::string share = first == std::string::npos
                                  ? "100"
                                  : state.MaxShare.substr(first, state.MaxShare.find_last_not_of(' ') + 1 - first);
    return {std::string(kShareCeilingCaption) + " " + share + " " + kShareCeilingUnit,
            std::string(kThresholdRuleCaption) + ": " + ThresholdRuleName(state.Threshold)};
}

std::vector<std::string> SelectionRuleLines(const LaserInputState& state) {
    std::vector<std::string> lines;
    if (const NumberEntry numbers('.'); ShareCeiling(state.MaxShare, numbers).value_or(1) < 1) {
        const auto first = state.MaxShare.find_first_not_of(' ');
        const auto last = state.MaxShare.find_last_not_of(' ');
        lines.push_back("Ceiling: at most " + state.MaxShare.substr(first, last - first + 1) + " % of each head limit");
    }
    if (state.Threshold == ThresholdRule::Conservative) {
        lines.emplace_back(
            "Damage Threshold: conservative, never above the power law through the neighbouring catalogue points");
    }
    return lines;
}

}  // namespace tavrin
