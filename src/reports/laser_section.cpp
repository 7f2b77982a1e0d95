#include "laser_section.h"

#include <string_view>

#include "beam/beam_profile.h"
#include "beam/derived_rows.h"
#include "selection/share_ceiling.h"

namespace tavrin {

std::vector<std::string> LaserSectionLines(const LaserInputState& state, const LabelCaptions& labels, char decimal,
                                           LaserSectionFor reader) {
    const bool request = reader == LaserSectionFor::Request;
    const std::string indent = request ? "    " : "";
    std::vector<std::string> lines;
    const auto line = [&](const std::string& text) { lines.push_back(indent + text); };
    const auto blank = [&] { lines.emplace_back(); };
    // The request's indent takes the place of the beam caption's leading blank.
    const auto beamCaption = [request](std::string_view caption) {
        return std::string(request ? caption.substr(1) : caption);
    };
    const auto entry = [&](const std::string& caption, const UnitEntry& value) {
        if (!value.Text.empty()) {
            line(caption + value.Text + " " + value.Unit());
        }
    };

    line("DATA VALUE:");
    blank();
    line(state.LaserType == Laser::CW ? "Laser Type: CW" : "Laser Type: Pulsed");
    blank();
    if (state.BeamShape == Shape::Circular) {
        line("Beam Type: Circular");
        line(beamCaption(kCircularBeamCaption) + " = " + state.Beam1().Text);
    } else {
        // At the margin in the request too, as its readers have always had it.
        lines.emplace_back("Beam Type: Rectangular");
        line(beamCaption(kRectangularBeamCaption) + "L = " + state.Beam1().Text + " W = " + state.Beam2().Text);
    }
    for (const std::string& text : ProfileLines(state, NumberEntry(decimal))) {
        line(text);
    }
    for (const std::string& text : SelectionRuleLines(state)) {
        line(text);
    }
    blank();
    line(state.SinglePulse() ? "Measurement Type: Single Pulse Energy" : "Measurement Type: Power");
    line(state.ProductType == Product::PowerMeter ? "Product Type: Power Meter" : "Product Type: Probe");
    blank();
    entry("WaveLenght : ", state.WaveLength());
    entry(labels.Get(LabelId::Power) + " ", state.MaxPower());
    entry("Max Energy ", state.MaxEnergy());
    entry("Rep Rate ", state.RepRate());
    entry("Pulse Width ", state.PulseWidth());
    blank();
    for (const DerivedRow& row : kDerivedRows) {
        if ((row.inRequest || !request) && state.*row.amount != 0) {
            line(row.caption + labels.Get(row.value) + labels.Get(row.unit));
        }
    }
    return lines;
}

}  // namespace tavrin
