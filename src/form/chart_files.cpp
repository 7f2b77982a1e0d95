#include "chart_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tavrin {

std::optional<ChartFormat> ChartFormatOf(const std::string& path) {
    std::string suffix = std::filesystem::path(path).extension().string();
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (suffix == ".png") {
        return ChartFormat::Png;
    }
    if (suffix == ".svg") {
        return ChartFormat::Svg;
    }
    if (suffix == ".pdf") {
        return ChartFormat::Pdf;
    }
    return std::nullopt;
}

const char* SuffixOf(ChartFormat format) {
    switch (format) {
        case ChartFormat::Png:
            return ".png";
        case ChartFormat::Svg:
            return ".svg";
        case ChartFormat::Pdf:
            break;
    }
    return ".pdf";
}

}  // namespace tavrin
