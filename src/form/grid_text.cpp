#include "grid_text.h"

namespace tavrin {
namespace {

void AppendCell(std::string& out, const std::string& cell) {
    for (const char c : cell) {
        out += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    }
}

}  // namespace

std::string GridAsTabSeparated(const ResultsGrid& grid) {
    std::string out;
    for (int column = 1; column <= grid.ColumnCount(); ++column) {
        if (column > 1) {
            out += '\t';
        }
        AppendCell(out, grid.ColumnAt(column).caption);
    }
    out += '\n';
    for (int row = 1; row <= grid.RowCount(); ++row) {
        for (int column = 1; column <= grid.ColumnCount(); ++column) {
            if (column > 1) {
                out += '\t';
            }
            AppendCell(out, grid.CellAt(row, column));
        }
        out += '\n';
    }
    return out;
}

}  // namespace tavrin
