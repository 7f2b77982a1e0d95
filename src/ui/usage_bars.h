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
// vermilion crossed for a limit the laser goes beyond. It is one list for the
// keyboard: Tab stops on it, the arrows go from row to row, and a screen
// reader reads each row as a sentence.
class UsageBars final : public QWidget {
    Q_OBJECT
public:
    explicit UsageBars(QWidget* parent = nullptr);

    void SetBars(std::vector<UsageBar> bars);
    [[nodiscard]] const std::vector<UsageBar>& Bars() const { return m_bars; }
    // The row the arrow keys are on, which a screen reader reads; -1 for none.
    [[nodiscard]] int CurrentRow() const { return m_current; }
    // A row's place, in the widget's coordinates.
    [[nodiscard]] QRect RowRect(int row) const;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SetCurrentRow(int row);

    [[nodiscard]] int ColumnWidth(const QString& least, const std::function<QString(const UsageBar&)>& textOf) const;
    [[nodiscard]] int CaptionWidth() const;
    [[nodiscard]] int TextWidth() const;
    [[nodiscard]] int RowHeight() const;
    std::vector<UsageBar> m_bars;
    int m_current = -1;
};

}  // namespace tavrin::ui
