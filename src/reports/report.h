#pragma once

#include <string>
#include <string_view>

#include "beam/labels.h"
#include "beam/laser_input_state.h"
#include "selection/results_grid.h"
#include "support/control_characters.h"

namespace tavrin {

inline constexpr const char* kReportFileName = "Print.txt";

// The search report: the laser as typed, the derived values as the window
// shows them and the rows of the results grid, each line ended by CR LF.
// `cellText` writes the grid's catalogue texts; by default a control
// character in one is printed as "?". `decimal` writes the densities at the
// centre of a beam that is not flat, as the window writes them.
using CellTextStyle = std::string (*)(std::string_view);
std::string ComposeReport(const LaserInputState& state, const LabelCaptions& labels, const ResultsGrid& grid,
                          CellTextStyle cellText = &ReplaceControlCharacters, char decimal = '.');
// The report's product table, from its "PRODUCTS FOUND:" line on: the grid's
// rows under the monitors' names; empty without rows.
std::string ComposeProductTable(const ResultsGrid& grid, CellTextStyle cellText = &ReplaceControlCharacters);

}  // namespace tavrin
