#include "request_text.h"

#include <array>
#include <vector>

#include "laser_section.h"

namespace tavrin {
namespace {

constexpr std::array<const char*, 26> kQuestionnaire = {
    "2 - The following parameters have to be measured/monitored: (underline which applies)",
    "    - AveragePower as long term measurement",
    "    - AveragePower as  time to time power check ( Sondel or Sela Mode)",
    "    - Single Shot Energy",
    "",
    "    I want to have  available:",
    "      - Only Power/Energy Information",
    "      - Statistical Information and Long Term  Behavior",
    "      - Alarm Thresholds",
    "",
    "3 - Machine Information: (underline which applies)",
    "    Laser Source  /Laser System:",
    "    AvailableVoltage:   110V AC /220VAC / 24VAC/ 12VDC,",
    "    Water- Available :   Y  / N",
    "    Max lit / Min:",
    "    Available Space for Detector\u2019s Housing   (mm) ( LxWxH):",
    "    Position of Detector on the Beam Path:",
    "    Direct Beam,",
    "    Behind Rear Mirror,",
    "    Behind  Partializing Device (Beamsplitter),  After Focus.",
    "    Max. Cable Length (Detector-to- Electronics \u2013available on request ; standard=1.5m) (m):",
    "    Preferred Communication, Via: (underline which applies)",
    "    Analog / RS-232 / RS485",
    "",
    "4 - Application (Please provide a short description of your application):",
    "5 - Additional Information :",
};

}  // namespace

std::string ComposeRequestText(const LaserInputState& state, const LabelCaptions& labels, char decimal) {
    std::vector<std::string> lines = {"1 - Laser Data :", ""};
    for (std::string& line : LaserSectionLines(state, labels, decimal, LaserSectionFor::Request)) {
        lines.push_back(std::move(line));
    }
    lines.emplace_back();
    lines.insert(lines.end(), kQuestionnaire.begin(), kQuestionnaire.end());

    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines[i];
    }
    return text;
}

}  // namespace tavrin
