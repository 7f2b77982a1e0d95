#include "results_table_model.h"

#include "qt_services.h"

namespace tavrin::ui {

ResultsTableModel::ResultsTableModel(const ResultsGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(&grid) {
    Refresh();
}

void ResultsTableModel::Refresh() {
    beginResetModel();
    m_shownColumns.clear();
    for (int column = 1; column <= m_grid->ColumnCount(); ++column) {
        if (m_grid->ColumnAt(column).shown) {
            m_shownColumns.push_back(column);
        }
    }
    endResetModel();
}

int ResultsTableModel::GridColumn(int viewColumn) const {
    if (viewColumn < 0 || viewColumn >= static_cast<int>(m_shownColumns.size())) {
        return 0;
    }
    return m_shownColumns[static_cast<std::size_t>(viewColumn)];
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid->RowCount();
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shownColumns.size());
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    return ToQt(m_grid->CellAt(index.row() + 1, GridColumn(index.column())));
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return ToQt(m_grid->ColumnAt(GridColumn(section)).caption);
    }
    return section + 1;
}

}  // namespace tavrin::ui
