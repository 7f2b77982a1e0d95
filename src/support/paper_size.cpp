#include "paper_size.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdint>

namespace tavrin {
namespace {

constexpr int kLetterWidthMm = 216;
constexpr int kLetterHeightMm = 279;

// The C library hands the paper's sizes back as a number in the pointer.
int PaperMillimetres(nl_item item, locale_t locale) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(item, locale)));
}

}  // namespace

Paper PaperFromEnvironment() {
    // A locale of its own, so that the process's locale is left as it is.
    locale_t locale = newlocale(LC_PAPER_MASK, "", nullptr);
    if (locale == nullptr) {
        return Paper::A4;
    }
    const bool letter = PaperMillimetres(_NL_PAPER_WIDTH, locale) == kLetterWidthMm &&
                        PaperMillimetres(_NL_PAPER_HEIGHT, locale) == kLetterHeightMm;
    freelocale(locale);
    return letter ? Paper::Letter : Paper::A4;
}

}  // namespace tavrin
