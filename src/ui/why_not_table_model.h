#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "form/details_area.h"

namespace tavrin::ui {

// The "Why not?" list's rows, in the order the details area sorted them.
class WhyNotTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Takes the rows in; false when they are the ones shown, which are then
    // left alone so that the list keeps its scroll position.
    bool SetRows(std::vector<WhyNotRow> rows);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<WhyNotRow> m_rows;
};

}  // namespace tavrin::ui
