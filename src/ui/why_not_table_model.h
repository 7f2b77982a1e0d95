#pragma once

#include <QAbstractTableModel>
#include <optional>

#include "form/details_area.h"

namespace tavrin::ui {

// The "Why not?" list's rows, read from the details area as the view asks
// for them, in the order the area sorted them.
class WhyNotTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit WhyNotTableModel(const DetailsArea& details, QObject* parent = nullptr);

    // Reads the list again when its rows changed; false when they did not,
    // so that the list keeps its scroll position.
    bool Refresh();

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const DetailsArea* m_details;
    std::optional<unsigned> m_version;
};

}  // namespace tavrin::ui
