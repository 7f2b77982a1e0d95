#include "report.h"

#include <array>

#include "beam/beam_profile.h"
#include "selection/share_ceiling.h"
#include "text_layout.h"

namespace tavrin {
namespace {

class LineWriter {
public:
    explicit LineWriter(std::size_t expected) { m_text.reserve(expected); }

    void Line(const std::string& text = {}) {
        m_text += text;
        m_text += "\r\n";
    }
    [[nodiscard]] std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
};

void EntryLine(LineWriter& out, const std::string& caption, const UnitEntry& entry) {
    if (!entry.Text.empty()) {
        out.Line(caption + entry.Text + " " + entry.Unit());
    }
}

void DerivedLine(LineWriter& out, double value, const char* caption, const LabelCaptions& labels, LabelId valueLabel,
                 LabelId unitLabel) {
    if (value != 0) {
        out.Line(caption + labels.Get(valueLabel) + labels.Get(unitLabel));
    }
}

std::string HeaderLine() {
    return PadTo("Suitable Heads", 25) + "Damage Threshold " + PadTo("Ardo", 7) + PadTo("Brisa", 7) +
           PadTo("RVX 300", 9) + PadTo("QDM", 9) + PadTo("Sela", 6) + "Vantic";
}

// A typical result line's length, to reserve the report's room at once.
constexpr std::size_t kResultLineLength = 100;

std::string ResultLine(const ResultsGrid& grid, int row, CellTextStyle cellText) {
    static constexpr std::array<std::size_t, 5> kMonitorWidths = {7, 7, 9, 9, 6};
    const auto cell = [&](GridColumn column) { return cellText(grid.CellAt(row, column)); };
    std::string line;
    line.reserve(kResultLineLength);
    AppendPadded(line, cell(GridColumn::Name), 25);
    line.append(6, ' ');
    AppendPadded(line, cell(GridColumn::Margin), 11);
    for (std::size_t i = 0; i < kMonitorWidths.size(); ++i) {
        AppendPadded(line, TrimBlanks(cell(kMonitorColumns[i])), kMonitorWidths[i]);
    }
    line += TrimBlanks(cell(GridColumn::Vantic));
    return line;
}

}  // namespace

std::string ComposeReport(const LaserInputState& state, const LabelCaptions& labels, const ResultsGrid& grid,
                          CellTextStyle cellText, char decimal) {
    LineWriter out(kResultLineLength * (static_cast<std::size_t>(grid.RowCount()) + 30));
    out.Line();
    out.Line("CORVANE TAVRIN");
    out.Line(std::string(26, '-'));
    out.Line();
    out.Line("DATA VALUE:");
    out.Line();
    out.Line(state.LaserType == Laser::CW ? "Laser Type: CW" : "Laser Type: Pulsed");
    out.Line();
    if (state.BeamShape == Shape::Circular) {
        out.Line("Beam Type: Circular");
        out.Line(std::string(kCircularBeamCaption) + " = " + state.Beam1().Text);
    } else {
        out.Line("Beam Type: Rectangular");
        out.Line(std::string(kRectangularBeamCaption) + "L = " + state.Beam1().Text + " W = " + state.Beam2().Text);
    }
    for (const std::string& line : ProfileLines(state, NumberEntry(decimal))) {
        out.Line(line);
    }
    for (const std::string& line : SelectionRuleLines(state)) {
        out.Line(line);
    }
    out.Line();
    out.Line(state.SinglePulse() ? "Measurement Type: Single Pulse Energy" : "Measurement Type: Power");
    out.Line(state.ProductType == Product::PowerMeter ? "Product Type: Power Meter" : "Product Type: Probe");
    out.Line();
    EntryLine(out, "WaveLenght : ", state.WaveLength());
    EntryLine(out, labels.Get(LabelId::Power) + " ", state.MaxPower());
    EntryLine(out, "Max Energy ", state.MaxEnergy());
    EntryLine(out, "Rep Rate ", state.RepRate());
    EntryLine(out, "Pulse Width ", state.PulseWidth());
    out.Line();
    DerivedLine(out, state.BeamArea, kAreaCaption, labels, LabelId::VArea, LabelId::MArea);
    DerivedLine(out, state.AveragePower, kAvgPowerCaption, labels, LabelId::VAvgPower, LabelId::MAvgPower);
    DerivedLine(out, state.PowerDensity, kPowerDensityCaption, labels, LabelId::VPowerDensity, LabelId::MPowerDensity);
    DerivedLine(out, state.PeakPower, kPeakPowerCaption, labels, LabelId::VPeakPower, LabelId::MPeakPower);
    DerivedLine(out, state.PeakPowerDensity, kPeakPowerDensityCaption, labels, LabelId::VPeakPowerDensity,
                LabelId::MPeakPowerDensity);
    DerivedLine(out, state.EnergyDensity, kEnergyDensityCaption, labels, LabelId::VEnergyDensity,
                LabelId::MEnergyDensity);
    out.Line();
    if (grid.RowCount() > 0) {
        out.Line("PRODUCTS FOUND:");
        out.Line();
        out.Line(HeaderLine());
        for (int row = 1; row <= grid.RowCount(); ++row) {
            out.Line(ResultLine(grid, row, cellText));
        }
    }
    return out.Take();
}

}  // namespace tavrin
