#include "request_text.h"

#include <array>
#include <vector>

#include "beam/beam_profile.h"
#include "selection/share_ceiling.h"

namespace tavrin {
namespace {

constexpr const char* kIndent = "    ";

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

void EntryLine(std::vector<std::string>& lines, const std::string& caption, const UnitEntry& entry) {
    if (!entry.Text.empty()) {
        lines.push_back(kIndent + caption + entry.Text + " " + entry.Unit());
    }
}

void DerivedLine(std::vector<std::string>& lines, double value, const char* caption, const LabelCaptions& labels,
                 LabelId valueLabel, LabelId unitLabel) {
    if (value != 0) {
        lines.push_back(kIndent + (caption + labels.Get(valueLabel)) + labels.Get(unitLabel));
    }
}

}  // namespace

std::string ComposeRequestText(const LaserInputState& state, const LabelCaptions& labels, char decimal) {
    std::vector<std::string> lines = {"1 - Laser Data :", "", "    DATA VALUE:", ""};
    lines.emplace_back(state.LaserType == Laser::CW ? "    Laser Type: CW" : "    Laser Type: Pulsed");
    lines.emplace_back();
    if (state.BeamShape == Shape::Circular) {
        lines.emplace_back("    Beam Type: Circular");
        lines.push_back(std::string(kIndent) + "Beam Diameter (mm)" + " = " + state.Beam1().Text);
    } else {
        lines.emplace_back("Beam Type: Rectangular");
        lines.push_back(std::string(kIndent) + "Rectangle (mm * mm)" + "L = " + state.Beam1().Text +
                        " W = " + state.Beam2().Text);
    }
    for (const std::string& line : ProfileLines(state, NumberEntry(decimal))) {
        lines.push_back(kIndent + line);
    }
    for (const std::string& line : SelectionRuleLines(state)) {
        lines.push_back(kIndent + line);
    }
    lines.emplace_back();
    lines.emplace_back(state.SinglePulse() ? "    Measurement Type: Single Pulse Energy"
                                           : "    Measurement Type: Power");
    lines.emplace_back(state.ProductType == Product::PowerMeter ? "    Product Type: Power Meter"
                                                                : "    Product Type: Probe");
    lines.emplace_back();
    EntryLine(lines, "WaveLenght : ", state.WaveLength());
    EntryLine(lines, labels.Get(LabelId::Power) + " ", state.MaxPower());
    EntryLine(lines, "Max Energy ", state.MaxEnergy());
    EntryLine(lines, "Rep Rate ", state.RepRate());
    EntryLine(lines, "Pulse Width ", state.PulseWidth());
    lines.emplace_back();
    DerivedLine(lines, state.BeamArea, kAreaCaption, labels, LabelId::VArea, LabelId::MArea);
    DerivedLine(lines, state.PowerDensity, kPowerDensityCaption, labels, LabelId::VPowerDensity,
                LabelId::MPowerDensity);
    DerivedLine(lines, state.EnergyDensity, kEnergyDensityCaption, labels, LabelId::VEnergyDensity,
                LabelId::MEnergyDensity);
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
