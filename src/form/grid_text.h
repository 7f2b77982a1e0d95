#pragma once

#include <string>

#include "selection/results_grid.h"

namespace tavrin {

// The grid as tab-separated text for a spreadsheet: a header of the column
// captions, then a line per row with every column, the hidden ones (the
// display units' resolutions) included. A tab or line break inside a cell
// becomes a blank, so that each cell stays in its column.
std::string GridAsTabSeparated(const ResultsGrid& grid);

}  // namespace tavrin
