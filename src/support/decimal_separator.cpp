#include "decimal_separator.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace tavrin {
namespace {

// Languages whose locales write decimals with a comma.
constexpr std::array<std::string_view, 46> kCommaLanguages = {
    "af", "az", "be", "bg", "bs", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi", "fo", "fr",
    "gl", "hr", "hu", "hy", "id", "is", "it", "ka", "kk", "lt", "lv", "mk", "mn", "nb", "nl", "nn",
    "no", "pl", "pt", "ro", "ru", "sk", "sl", "sq", "sr", "sv", "tr", "uk", "uz", "vi"};

// Territories where a comma language writes decimals with a point.
constexpr std::array<std::string_view, 12> kPointLocales = {"de_CH", "de_LI", "it_CH", "es_MX", "es_US", "es_PR",
                                                            "es_GT", "es_DO", "es_HN", "es_NI", "es_PA", "es_SV"};

}  // namespace

char DecimalSeparatorOf(std::string_view localeName) {
    const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
    const std::string_view language = base.substr(0, base.find('_'));
    if (std::find(kPointLocales.begin(), kPointLocales.end(), base) != kPointLocales.end()) {
        return '.';
    }
    return std::find(kCommaLanguages.begin(), kCommaLanguages.end(), language) != kCommaLanguages.end() ? ',' : '.';
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
