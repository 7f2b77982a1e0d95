#include "results_grid.h"

#include <algorithm>

#include "monitors.h"

namespace tavrin {

void ResultsGrid::ClearGrid(bool includeColumns) {
    m_cells.clear();
    m_tags.clear();
    m_notes.clear();
    if (includeColumns) {
        m_columns.clear();
    }
}

void ResultsGrid::AddColumn(std::string caption, bool shown) {
    const std::size_t before = m_columns.size();
    m_columns.push_back(Column{std::move(caption), shown, kNoWidth});
    // Existing rows get an empty cell for the new column.
    std::vector<std::string> cells;
    cells.reserve(m_tags.size() * m_columns.size());
    for (std::size_t row = 0; row < m_tags.size(); ++row) {
        for (std::size_t column = 0; column < before; ++column) {
            cells.push_back(std::move(m_cells[row * before + column]));
        }
        cells.emplace_back();
    }
    m_cells = std::move(cells);
}

bool ResultsGrid::HasCell(int row, int column) const {
    return row >= 1 && row <= RowCount() && column >= 1 && column <= ColumnCount();
}

std::size_t ResultsGrid::CellIndex(int row, int column) const {
    return static_cast<std::size_t>(row - 1) * m_columns.size() + static_cast<std::size_t>(column - 1);
}

void ResultsGrid::SetCell(int row, int column, std::string_view text, std::int64_t tag) {
    if (column < 1 || column > ColumnCount() || row < 1 || row > RowCount() + 1) {
        return;
    }
    if (row == RowCount() + 1) {
        m_cells.resize(m_cells.size() + m_columns.size());
        m_tags.push_back(-1);
    }
    m_cells[CellIndex(row, column)].assign(text);
    if (tag >= 0) {
        m_tags[static_cast<std::size_t>(row - 1)] = tag;
    }
}

void ResultsGrid::SetCell(int row, GridColumn column, std::string_view text, std::int64_t tag) {
    SetCell(row, static_cast<int>(column), text, tag);
}

void ResultsGrid::SetColumnWidth(int column, int width) {
    if (column < 1 || column > ColumnCount()) {
        return;
    }
    m_columns[static_cast<std::size_t>(column - 1)].width = width;
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
    return m_cells[CellIndex(row, column)];
}

const std::string& ResultsGrid::CellAt(int row, GridColumn column) const {
    return CellAt(row, static_cast<int>(column));
}

std::int64_t ResultsGrid::RowTag(int row) const {
    if (row < 1 || row > RowCount()) {
        return -1;
    }
    return m_tags[static_cast<std::size_t>(row - 1)];
}

void ResultsGrid::SetRowNote(int row, std::string note) {
    if (row < 1 || row > RowCount() || (!m_notes.empty() && m_notes.back().first >= row)) {
        return;
    }
    m_notes.emplace_back(row, std::move(note));
}

const std::string& ResultsGrid::RowNote(int row) const {
    static const std::string kNone;
    const auto found = std::lower_bound(m_notes.begin(), m_notes.end(), row,
                                        [](const std::pair<int, std::string>& note, int r) { return note.first < r; });
    return found != m_notes.end() && found->first == row ? found->second : kNone;
}

void SetupGrid(ResultsGrid& grid) {
    grid.ClearGrid(true);
    for (const GridColumnInfo& info : kLeadColumns) {
        grid.AddColumn(info.caption, true);
        grid.SetColumnWidth(static_cast<int>(info.column), info.width);
    }
    for (const Monitor& monitor : kMonitors) {
        grid.AddColumn(monitor.name, false);
    }
    grid.ClearGrid(false);
}

}  // namespace tavrin
