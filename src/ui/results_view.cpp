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
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (currentIndex().isValid()) {
            emit rowActivated(currentIndex().row() + 1);
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    if (PicksARow(event->key()) && currentIndex().isValid()) {
        selectRow(currentIndex().row());
        emit rowPicked(currentIndex().row() + 1);
    }
}

}  // namespace tavrin::ui
