#pragma once

#include <QTableView>

namespace tavrin::ui {

// The results grid as the user meets it: giving it the focus picks nothing;
// a click, an arrow key or Space picks the current row, Enter activates it.
class ResultsView final : public QTableView {
    Q_OBJECT
public:
    explicit ResultsView(QWidget* parent = nullptr);

signals:
    void rowPicked(int row);     // from 1, as the grid numbers rows
    void rowActivated(int row);  // from 1

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Home and End go to the first and the last head, not along the row.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

}  // namespace tavrin::ui
