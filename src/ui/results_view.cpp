#include "results_view.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace tavrin::ui {
namespace {

bool PicksARow(int key) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Space:
            return true;
        default:
            return false;
    }
}

}  // namespace

ResultsView::ResultsView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);  // Tab leaves the grid; the arrows move in it
    verticalHeader()->setVisible(false);
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) { emit rowPicked(index.row() + 1); });
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowActivated(index.row() + 1); });
}

QModelIndex ResultsView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) {
        return QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
    }
    return QTableView::moveCursor(action, modifiers);
}

void ResultsView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    const bool unpicked = current.isValid() && !selectionModel()->isRowSelected(current.row(), {});
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (current.isValid()) {
            PickCurrent();
            emit rowActivated(current.row() + 1);
        }
        event->accept();
        return;
    }
    // The focus coming in made a row current without picking it: the first
    // arrow picks that row rather than skipping it.
    if (unpicked && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        PickCurrent();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    if (PicksARow(key) && currentIndex().isValid()) {
        PickCurrent();
    }
}

void ResultsView::PickCurrent() {
    selectRow(currentIndex().row());
    emit rowPicked(currentIndex().row() + 1);
}

}  // namespace tavrin::ui
