#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrin {

// The results grid's columns, numbered as the grid numbers them: the head's
// name, the margin, then the resolution of each of the six display units.
enum class GridColumn { Name = 1, Margin, Ardo, Brisa, RVX, QDM, Sela, Vantic };

// The table of search results: column definitions and data rows numbered
// from 1. A column that is not shown still holds its cells.
class ResultsGrid {
public:
    static constexpr int kNoWidth = -1;

    struct Column {
        std::string caption;
        bool shown = true;
        int width = kNoWidth;
    };

    // false: all data rows go, the columns stay; true: the columns go as well.
    void ClearGrid(bool includeColumns);
    void AddColumn(std::string caption, bool shown);
    // Sets a cell's text; a cell in the row after the last appends that row.
    // `tag` is a number kept with the row (the head's catalogue position).
    void SetCell(int row, int column, std::string_view text, std::int64_t tag = -1);
    void SetCell(int row, GridColumn column, std::string_view text, std::int64_t tag = -1);
    void SetColumnWidth(int column, int width);

    [[nodiscard]] int RowCount() const { return static_cast<int>(m_tags.size()); }
    [[nodiscard]] int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    [[nodiscard]] int ColumnWidth(int column) const;
    [[nodiscard]] const Column& ColumnAt(int column) const;
    // The cell's text; empty outside the grid.
    [[nodiscard]] const std::string& CellAt(int row, int column) const;
    [[nodiscard]] const std::string& CellAt(int row, GridColumn column) const;
    [[nodiscard]] std::int64_t RowTag(int row) const;
    // A note on a row, shown beside its first cell (which keeps its text);
    // rows are noted in order, after their cells are set. Empty for none.
    void SetRowNote(int row, std::string note);
    [[nodiscard]] const std::string& RowNote(int row) const;

private:
    [[nodiscard]] bool HasCell(int row, int column) const;
    [[nodiscard]] std::size_t CellIndex(int row, int column) const;

    std::vector<Column> m_columns;
    // Row after row, ColumnCount() cells each, so that a search of many heads
    // does not allocate per row.
    std::vector<std::string> m_cells;
    std::vector<std::int64_t> m_tags;
    // Few rows have a note: kept by row, in row order, so that a row without
    // one costs nothing.
    std::vector<std::pair<int, std::string>> m_notes;
};

// The columns before the monitors' (kMonitors holds theirs).
struct GridColumnInfo {
    GridColumn column;
    const char* key;      // the name of the column in the command line's JSON
    const char* caption;  // the grid's own caption
    int width;            // in the grid's width unit
};
inline constexpr std::array<GridColumnInfo, 2> kLeadColumns = {{
    {GridColumn::Name, "name", "Suitable Heads", 125},
    {GridColumn::Margin, "margin", "Damage Threshold", 105},
}};

// Defines the eight result columns: kLeadColumns, shown, then the monitors', hidden.
void SetupGrid(ResultsGrid& grid);

}  // namespace tavrin
