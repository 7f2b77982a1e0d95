#include "decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <string>

namespace tavrin {

char DecimalSeparatorOf(std::string_view localeName) {
    // The C library's own data for the locale, as every other program on the
    // machine reads it; a locale that is not installed has none.
    const std::string name(localeName);
    locale_t numeric = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
    if (numeric == static_cast<locale_t>(nullptr)) {
        return '.';
    }
    const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
    // A separator other than "," (an Arabic one, say) is read as the point, which the entries also take.
    const char separator = radix != nullptr && radix[0] == ',' && radix[1] == '\0' ? ',' : '.';
    freelocale(numeric);
    return separator;
}

char DecimalSeparatorFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return DecimalSeparatorOf(value);
        }
    }
    return '.';
}

}  // namespace tavrin
