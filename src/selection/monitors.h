#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "beam/labels.h"
#include "catalogue/head_record.h"
#include "results_grid.h"

namespace tavrin {

// The display units a head is read with: one row each, in the grid's order,
// which is also the window's (three in a row) and the report's. Every place
// that names or lists the monitors walks this table.
struct Monitor {
    GridColumn column;
    const char* name;                     // the grid's caption, the command line's key
    const char* windowName;               // the window's label above the value
    const char* reportName;               // Print.txt's column header
    std::size_t reportWidth;              // the header's and the rows' field width; 0: the last, unpadded
    std::string HeadRecord::*resolution;  // what the catalogue says the unit reaches with the head
    LabelId valueLabel;                   // the window's label that shows it for the picked row
    const char* nameLabel;                // the control name of the window's label above it
    bool readsRate;                       // reads a pulse train: nothing to show for a single pulse
};

inline constexpr std::array<Monitor, 6> kMonitors = {{
    {GridColumn::Ardo, "Ardo", "Ardo", "Ardo", 7, &HeadRecord::ResArdo, LabelId::VArdo, "lblArdo", false},
    {GridColumn::Brisa, "Brisa", "BRISA", "Brisa", 7, &HeadRecord::ResBrisa, LabelId::VBrisa, "lblBrisa", false},
    {GridColumn::RVX, "RVX", "RVX 300", "RVX 300", 9, &HeadRecord::ResRVX, LabelId::VRVX, "lblRVX", true},
    {GridColumn::QDM, "QDM", "QDM", "QDM", 9, &HeadRecord::ResQDM, LabelId::VQDM, "lblQDM", false},
    {GridColumn::Sela, "Sela", "Sela", "Sela", 6, &HeadRecord::ResSela, LabelId::VSela, "lblSela", false},
    {GridColumn::Vantic, "Vantic", "Vantic", "Vantic", 0, &HeadRecord::ResVantic, LabelId::VVantic, "lblVantic", false},
}};

// The grid numbers the monitors' columns after the name and the margin, in
// the table's order; only the last report field is unpadded.
constexpr bool MonitorsInGridOrder() {
    for (std::size_t i = 0; i < kMonitors.size(); ++i) {
        if (static_cast<std::size_t>(kMonitors[i].column) != i + 3 ||
            (kMonitors[i].reportWidth == 0) != (i + 1 == kMonitors.size())) {
            return false;
        }
    }
    return true;
}
static_assert(MonitorsInGridOrder(), "kMonitors lists the monitors in the grid's column order");
static_assert(static_cast<std::size_t>(GridColumn::Vantic) == kMonitors.size() + 2,
              "every monitor column has its row in kMonitors");

// What the window shows for a monitor of the picked row: the cell, or
// " n.a." for a monitor that reads a pulse train when the laser is a single pulse.
inline std::string MonitorCaption(const Monitor& monitor, const std::string& cell, bool singlePulse) {
    return monitor.readsRate && singlePulse ? " n.a." : cell;
}

}  // namespace tavrin
