#include "details_texts.h"

#include <cmath>

namespace tavrin {

const CriterionText& TextOf(const CriterionUsage& usage) {
    return TextOfCriterion(usage.criterion);
}

bool Finite(const std::optional<double>& value) {
    return value && std::isfinite(*value);
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
