#include "results_grid.h"

#include <array>

namespace tavrin {

void ResultsGrid::ClearGrid(bool includeColumns) {
    m_rows.clear();
    if (includeColumns) {
        m_columns.clear();
    }
    ++m_revision;
}

void ResultsGrid::AddColumn(std::string key, std::string caption, bool shown) {
    m_columns.push_back(Column{std::move(key), std::move(caption), shown, kNoWidth});
    for (auto& row : m_rows) {
        row.cells.resize(m_columns.size());
    }
    ++m_revision;
}

bool ResultsGrid::HasCell(int row, int column) const {
    return row >= 1 && row <= RowCount() && column >= 1 && column <= ColumnCount();
}

void ResultsGrid::SetCell(int row, int column, std::string text, std::int64_t tag) {
    if (column < 1 || column > ColumnCount() || row < 1 || row > RowCount() + 1) {
        return;
    }
    if (row == RowCount() + 1) {
        m_rows.push_back(Row{std::vector<std::string>(m_columns.size()), -1});
    }
    Row& target = m_rows[static_cast<std::size_t>(row - 1)];
    target.cells[static_cast<std::size_t>(column - 1)] = std::move(text);
    if (tag >= 0) {
        target.tag = tag;
    }
    ++m_revision;
}

void ResultsGrid::SetColumnWidth(int column, int width) {
    if (column < 1 || column > ColumnCount()) {
        return;
    }
    m_columns[static_cast<std::size_t>(column - 1)].width = width;
    ++m_revision;
}

int ResultsGrid::ColumnWidth(int column) const {
    if (column < 1 || column > ColumnCount()) {
        return kNoWidth;
    }
    return m_columns[static_cast<std::size_t>(column - 1)].width;
}

const ResultsGrid::Column& ResultsGrid::ColumnAt(int column) const {
    static const Column kNone{};
    if (column < 1 || column > ColumnCount()) {
        return kNone;
    }
    return m_columns[static_cast<std::size_t>(column - 1)];
}

const std::string& ResultsGrid::CellAt(int row, int column) const {
    static const std::string kEmpty;
    if (!HasCell(row, column)) {
        return kEmpty;
    }
    return m_rows[static_cast<std::size_t>(row - 1)].cells[static_cast<std::size_t>(column - 1)];
}

std::int64_t ResultsGrid::RowTag(int row) const {
    if (row < 1 || row > RowCount()) {
        return -1;
    }
    return m_rows[static_cast<std::size_t>(row - 1)].tag;
}

void SetupGrid(ResultsGrid& grid) {
    grid.ClearGrid(true);
    grid.AddColumn("1", "Suitable Heads", true);
    grid.SetColumnWidth(1, 125);
    grid.AddColumn("2", "Damage Threshold", true);
    grid.SetColumnWidth(2, 105);
    static constexpr std::array<const char*, 6> kMonitors = {"Ardo", "Brisa", "RVX", "QDM", "Sela", "Vantic"};
    int key = 3;
    for (const char* monitor : kMonitors) {
        grid.AddColumn(std::to_string(key++), monitor, false);
    }
    grid.ClearGrid(false);
}

}  // namespace tavrin
