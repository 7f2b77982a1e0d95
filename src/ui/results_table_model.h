#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "selection/results_grid.h"

namespace tavrin::ui {

// The shown columns of the core's results grid, for a table view.
class ResultsTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultsTableModel(const ResultsGrid& grid, QObject* parent = nullptr);

    // Re-reads the grid after the core changed it.
    void Refresh();
    // The grid column (from 1) behind a view column (from 0).
    [[nodiscard]] int GridColumn(int viewColumn) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ResultsGrid* m_grid;
    std::vector<int> m_shownColumns;
};

}  // namespace tavrin::ui
