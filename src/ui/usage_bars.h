#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "form/details_area.h"

namespace tavrin::ui {

// One bar per criterion: the laser's share of the head's limit, with its
// percentage written beside it. The shade and the hatching tell the rows
// apart in a black and white printout and without telling colours apart:
// solid blue within the limit, orange with diagonal lines for the tightest,
// vermilion crossed for a limit the laser goes beyond.
class UsageBars final : public QWidget {
    Q_OBJECT
public:
    explicit UsageBars(QWidget* parent = nullptr);

    void SetBars(std::vector<UsageBar> bars);
    [[nodiscard]] const std::vector<UsageBar>& Bars() const { return m_bars; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] int ColumnWidth(const QString& least, const std::function<QString(const UsageBar&)>& textOf) const;
    [[nodiscard]] int CaptionWidth() const;
    [[nodiscard]] int TextWidth() const;
    [[nodiscard]] int RowHeight() const;
    std::vector<UsageBar> m_bars;
};

}  // namespace tavrin::ui
