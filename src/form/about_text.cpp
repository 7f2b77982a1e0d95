#include "about_text.h"

#include <chrono>
#include <ctime>
#include <system_error>

#include "catalogue/head_catalogue.h"
#include "version/version.h"

namespace tavrin {

std::string LocalDateText(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    char text[16] = "";
    if (::localtime_r(&seconds, &local) == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d", &local) == 0) {
        return "";
    }
    return text;
}

std::string CatalogueFileDate(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / kHeadsFileName;
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(file, ec);
    if (ec) {
        return "";
    }
    return LocalDateText(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(written)));
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
