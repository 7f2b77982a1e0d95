#pragma once

#include <optional>
#include <string>

namespace tavrin {

enum class ChartFormat { Png, Svg, Pdf };

// The file the user chose, and the format of the filter they chose it with.
struct ChosenChartFile {
    std::string path;
    std::optional<ChartFormat> filter{};
};

// Where the details chart is saved: the window asks the user for a file and
// draws the chart in the format asked for; the model writes the file.
class ChartFiles {
public:
    virtual ~ChartFiles() = default;
    // The file the user chose, or nothing when they cancelled.
    virtual std::optional<ChosenChartFile> ChooseChartFile(const std::string& suggestedName) = 0;
    // The chart drawn as the bytes of a file, or nothing when it cannot be drawn.
    virtual std::optional<std::string> RenderChart(ChartFormat format) = 0;
};

// The format a file name asks for by its suffix, in any case.
std::optional<ChartFormat> ChartFormatOf(const std::string& path);
// ".png", ".svg" or ".pdf".
const char* SuffixOf(ChartFormat format);

}  // namespace tavrin
