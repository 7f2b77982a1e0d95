#pragma once

namespace tavrin::cli {

// The decimal separator of the user's numeric locale (LC_ALL, then
// LC_NUMERIC, then LANG): ',' where that locale writes decimals with a comma.
char DecimalSeparatorFromEnvironment();

}  // namespace tavrin::cli
