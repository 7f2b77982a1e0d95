#include "locale_separator.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cstdlib>
#include <string>

namespace tavrin::cli {
namespace {

std::string NumericLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

// Languages that write decimals with a comma, for locales this machine has
// not generated.
bool LanguageUsesComma(const std::string& name) {
    static constexpr std::array<const char*, 40> kCommaLanguages = {
        "af", "az", "be", "bg", "bs", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi",
        "fo", "fr", "gl", "hr", "hu", "hy", "id", "is", "it", "ka", "kk", "lt", "lv", "mk",
        "mn", "nb", "nl", "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sq"};
    static constexpr std::array<const char*, 6> kMore = {"sr", "sv", "tr", "uk", "uz", "vi"};
    const std::string language = name.substr(0, name.find_first_of("_.@"));
    for (const char* code : kCommaLanguages) {
        if (language == code) {
            return true;
        }
    }
    for (const char* code : kMore) {
        if (language == code) {
            return true;
        }
    }
    return false;
}

}  // namespace

char DecimalSeparatorFromEnvironment() {
    const std::string name = NumericLocaleName();
    if (name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) {
        return '.';
    }
    locale_t locale = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
    if (locale != static_cast<locale_t>(nullptr)) {
        const char* point = nl_langinfo_l(RADIXCHAR, locale);
        const char separator = (point != nullptr && point[0] == ',') ? ',' : '.';
        freelocale(locale);
        return separator;
    }
    return LanguageUsesComma(name) ? ',' : '.';
}

}  // namespace tavrin::cli
