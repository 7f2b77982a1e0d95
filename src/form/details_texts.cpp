#include "details_texts.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "beam/engineering_text.h"

namespace tavrin {

const CriterionText& TextOf(const CriterionUsage& usage) {
    return TextOfCriterion(usage.criterion);
}

bool Finite(const std::optional<double>& value) {
    return value && std::isfinite(*value);
}

std::string ShareText(const std::optional<double>& share) {
    if (!Finite(share)) {
        return "n.a.";
    }
    const double percent = *share * 100;
    if (percent < 1) {
        return "<1 %";
    }
    std::array<char, 32> text{};
    if (percent >= 1e6) {
        return FormatSignificant(percent, '.') + " %";
    }
    std::snprintf(text.data(), text.size(), "%.0f %%", percent);
    return text.data();
}

const CriterionUsage* Find(const HeadUsage& head, Criterion criterion) {
    for (const CriterionUsage& usage : head.usage) {
        if (usage.criterion == criterion) {
            return &usage;
        }
    }
    return nullptr;
}

}  // namespace tavrin
