#pragma once

#include <QTableView>

namespace tavrin::ui {

// A table of heads as the user meets it (the results grid, the "Why not?"
// list): the focus coming in makes a row current and picks nothing; a click,
// an arrow key, Space or Enter picks the current row, and Enter activates it.
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

private:
    void PickCurrent();
};

}  // namespace tavrin::ui
