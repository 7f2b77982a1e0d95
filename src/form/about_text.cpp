#include "about_text.h"

#include <chrono>
#include <cstdio>
#include <system_error>

#include "catalogue/head_catalogue.h"
#include "version/version.h"

namespace tavrin {

std::string CatalogueFileDate(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / kHeadsFileName;
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(file, ec);
    if (ec) {
        return "";
    }
    const auto days = std::chrono::floor<std::chrono::days>(std::chrono::file_clock::to_sys(written));
    const std::chrono::year_month_day date(days);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

Message AboutMessage(std::size_t heads, const std::filesystem::path& programFolder) {
    const std::string date = CatalogueFileDate(programFolder);
    std::string text =
        std::string("CV-Tavrin ") + kVersion +
        "\n\u00A9 Corvane. All rights reserved; a proprietary licence.\nCatalogue: " + std::to_string(heads) +
        (heads == 1 ? " head" : " heads");
    text += date.empty() ? "." : ", " + std::string(kHeadsFileName) + " of " + date + " (the file's date).";
    return Message{text, "About CV-Tavrin", MessageIcon::Information, MessageButtons::Ok};
}

}  // namespace tavrin
