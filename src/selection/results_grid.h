#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

// The table of search results: column definitions and data rows numbered
// from 1. A column that is not shown still holds its cells.
class ResultsGrid {
public:
    static constexpr int kNoWidth = -1;

    struct Column {
        std::string key;
        std::string caption;
        bool shown = true;
        int width = kNoWidth;
    };

    // false: all data rows go, the columns stay; true: the columns go as well.
    void ClearGrid(bool includeColumns);
    void AddColumn(std::string key, std::string caption, bool shown);
    // Sets a cell's text; a cell in the row after the last appends that row.
    // `tag` is a number kept with the row (the head's catalogue position).
    void SetCell(int row, int column, std::string text, std::int64_t tag = -1);
    void SetColumnWidth(int column, int width);

    [[nodiscard]] int RowCount() const { return static_cast<int>(m_tags.size()); }
    [[nodiscard]] int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    [[nodiscard]] int ColumnWidth(int column) const;
    [[nodiscard]] const Column& ColumnAt(int column) const;
    // The cell's text; empty outside the grid.
    [[nodiscard]] const std::string& CellAt(int row, int column) const;
    [[nodiscard]] std::int64_t RowTag(int row) const;

    // Grows on every change, so that a view can tell when to refresh.
    [[nodiscard]] std::uint64_t Revision() const { return m_revision; }

private:
    [[nodiscard]] bool HasCell(int row, int column) const;
    [[nodiscard]] std::size_t CellIndex(int row, int column) const;

    std::vector<Column> m_columns;
    // Row after row, ColumnCount() cells each, so that a search of many heads
    // does not allocate per row.
    std::vector<std::string> m_cells;
    std::vector<std::int64_t> m_tags;
    std::uint64_t m_revision = 0;
};

// Defines the eight result columns: name and margin shown, the six monitor
// resolutions hidden.
void SetupGrid(ResultsGrid& grid);

}  // namespace tavrin
