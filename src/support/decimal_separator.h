#pragma once

#include <string_view>

namespace tavrin {

// The regional decimal separator of a locale name such as "it_IT.UTF-8", from
// the C library's data for it (LC_NUMERIC's radix character): ',' where the
// locale writes decimals with a comma, '.' otherwise, and for a locale that is
// not installed. One rule for the window and the command line.
char DecimalSeparatorOf(std::string_view localeName);

// The separator of the user's numeric locale: LC_ALL, then LC_NUMERIC, then
// LANG, the first that is set and not empty.
char DecimalSeparatorFromEnvironment();

}  // namespace tavrin
