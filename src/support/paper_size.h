#pragma once

namespace tavrin {

enum class Paper { A4, Letter };

// The paper of the user's locale (LC_ALL, then LC_PAPER, then LANG, as the C
// library reads them): Letter where that locale's paper is 216 × 279 mm, A4
// otherwise and where the locale is not installed.
Paper PaperFromEnvironment();

}  // namespace tavrin
