#include "why_not_table_model.h"

#include <array>

#include "qt_services.h"

namespace tavrin::ui {

WhyNotTableModel::WhyNotTableModel(const DetailsArea& details, QObject* parent)
    : QAbstractTableModel(parent), m_details(&details) {}

bool WhyNotTableModel::Refresh() {
    if (m_version == m_details->ListVersion()) {
        return false;
    }
    beginResetModel();
    m_version = m_details->ListVersion();
    endResetModel();
    return true;
}

int WhyNotTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_version ? 0 : static_cast<int>(m_details->WhyNotCount());
}

int WhyNotTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kWhyNotColumns;
}

QVariant WhyNotTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const WhyNotRow row = m_details->WhyNotAt(static_cast<std::size_t>(index.row()));
    switch (static_cast<WhyNotColumn>(index.column())) {
        case WhyNotColumn::Name:
            return ToQt(row.name);
        case WhyNotColumn::Criterion:
            return ToQt(row.criterion);
        case WhyNotColumn::Values:
            return ToQt(row.values);
        case WhyNotColumn::Fits:
            return ToQt(row.fits);
    }
    return {};
}

QVariant WhyNotTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const std::array<QString, kWhyNotColumns> kCaptions = {QStringLiteral("Head"), QStringLiteral("Fails on"),
                                                                  QStringLiteral("Laser against limit"),
                                                                  QStringLiteral("What would fit")};
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kWhyNotColumns) {
        return {};
    }
    return kCaptions[static_cast<std::size_t>(section)];
}

}  // namespace tavrin::ui
