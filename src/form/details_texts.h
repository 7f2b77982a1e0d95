#pragma once

#include <optional>
#include <string>

#include "selection/criterion_texts.h"
#include "selection/head_details.h"
#include "selection/share_ceiling.h"

namespace tavrin {

// How the details area words what a criterion compared, shared by its list,
// its bars and its chart.
const CriterionText& TextOf(const CriterionUsage& usage);
// A value that is there and finite.
bool Finite(const std::optional<double>& value);
// The head's usage of one criterion, if that criterion applied.
const CriterionUsage* Find(const HeadUsage& head, Criterion criterion);

}  // namespace tavrin
