#include "report.h"

#include "laser_section.h"
#include "selection/monitors.h"
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

std::string HeaderLine() {
    std::string line = PadTo("Suitable Heads", 25) + "Damage Threshold ";
    for (const Monitor& monitor : kMonitors) {
        AppendPadded(line, monitor.reportName, monitor.reportWidth);
    }
    return line;
}

// A typical result line's length, to reserve the report's room at once.
constexpr std::size_t kResultLineLength = 100;

std::string ResultLine(const ResultsGrid& grid, int row, CellTextStyle cellText) {
    const auto cell = [&](GridColumn column) { return cellText(grid.CellAt(row, column)); };
    std::string line;
    line.reserve(kResultLineLength);
    AppendPadded(line, cell(GridColumn::Name), 25);
    line.append(6, ' ');
    AppendPadded(line, cell(GridColumn::Margin), 11);
    for (const Monitor& monitor : kMonitors) {
        AppendPadded(line, TrimBlanks(cell(monitor.column)), monitor.reportWidth);
    }
    return line;
}

}  // namespace

std::string ComposeProductTable(const ResultsGrid& grid, CellTextStyle cellText) {
    if (grid.RowCount() == 0) {
        return "";
    }
    LineWriter out(kResultLineLength * (static_cast<std::size_t>(grid.RowCount()) + 3));
    out.Line("PRODUCTS FOUND:");
    out.Line();
    out.Line(HeaderLine());
    for (int row = 1; row <= grid.RowCount(); ++row) {
        out.Line(ResultLine(grid, row, cellText));
    }
    return out.Take();
}

std::string ComposeReport(const LaserInputState& state, const LabelCaptions& labels, const ResultsGrid& grid,
                          CellTextStyle cellText, char decimal) {
    LineWriter out(kResultLineLength * (static_cast<std::size_t>(grid.RowCount()) + 30));
    out.Line();
    out.Line("CORVANE TAVRIN");
    out.Line(std::string(26, '-'));
    out.Line();
    for (const std::string& line : LaserSectionLines(state, labels, decimal, LaserSectionFor::Report)) {
        out.Line(line);
    }
    out.Line();
    return out.Take() + ComposeProductTable(grid, cellText);
}

}  // namespace tavrin
