// The main window's size and place: its size hint and the layout kept
// between runs.
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <algorithm>

#include "main_window.h"

namespace tavrin::ui {
namespace {

// A kept geometry from a larger screen, a monitor since unplugged or an
// edited file would open the window beyond what can be seen, at a size whose
// pixels may not even be allocated (32767 × 32767 takes gigabytes): it is
// bounded to the available area of the screen it lands on and moved onto it.
// Only the window's least size can stay larger.
void KeepOnScreen(QWidget& window) {
    const QScreen* shown = QGuiApplication::screenAt(window.frameGeometry().center());
    if (shown == nullptr) {
        shown = window.screen();
    }
    if (shown == nullptr) {
        return;
    }
    const QRect available = shown->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.size();
    const QSize size = window.size().boundedTo(available.size() - frame).expandedTo(window.minimumSizeHint());
    if (size != window.size()) {
        window.resize(size);
    }
    // Moved only when it has to be: before the window is shown its frame is
    // not known, and a move would shift a kept place that fits by the frame.
    const QSize outer = size + frame;
    const QPoint place(
        std::clamp(window.x(), available.left(), std::max(available.left(), available.right() + 1 - outer.width())),
        std::clamp(window.y(), available.top(), std::max(available.top(), available.bottom() + 1 - outer.height())));
    if (place != window.pos()) {
        window.move(place);
    }
}

}  // namespace

QSize MainWindow::sizeHint() const {
    // Room for everything, the details included, as far as the screen allows.
    QSize wanted = QWidget::sizeHint();
    if (!m_splitter->widget(1)->isVisibleTo(this)) {
        wanted.rheight() += m_splitter->widget(1)->sizeHint().height() + m_splitter->handleWidth();
    }
    if (const QScreen* shown = screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() - (frameGeometry().size() - size()));
    }
    return wanted.expandedTo(minimumSizeHint());
}

bool MainWindow::RestoreLayout(const QSettings& settings) {
    m_splitter->restoreState(settings.value(QStringLiteral("MainWindow/details")).toByteArray());
    if (!restoreGeometry(settings.value(QStringLiteral("MainWindow/geometry")).toByteArray())) {
        return false;
    }
    KeepOnScreen(*this);
    return true;
}

void MainWindow::SaveLayout(QSettings& settings) const {
    settings.setValue(QStringLiteral("MainWindow/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("MainWindow/details"), m_splitter->saveState());
}

}  // namespace tavrin::ui
