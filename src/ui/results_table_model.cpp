#include "results_table_model.h"

#include <QApplication>
#include <QStyle>

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
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return ToQt(m_grid->CellAt(index.row() + 1, GridColumn(index.column())));
    }
    // A row's note is a mark beside its first cell, read in its tooltip.
    if (index.column() != 0) {
        return {};
    }
    const std::string& note = m_grid->RowNote(index.row() + 1);
    if (note.empty()) {
        return {};
    }
    switch (role) {
        case Qt::DecorationRole:
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return ToQt(note);
        default:
            return {};
    }
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
