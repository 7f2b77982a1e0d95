// The main window's size and shape: fitted to the screen less the window
// manager's frame, reflowed for a low window, and kept between runs.
#include <QBoxLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <algorithm>

#include "main_window.h"

namespace tavrin::ui {
namespace {

// The frame most desktops draw around a window (a title bar and thin
// borders), assumed until the window manager tells the real one.
constexpr QMargins kAssumedFrame(4, 38, 4, 4);
// The height the details area is given, beyond the grid's own, when the
// monitors and the documents stand beside the grid.
constexpr int kDetailsRoom = 360;


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

void MainWindow::Reflow() {
    const int wanted = m_optionsRow->height() + m_sideHeight + m_detailsToggle->sizeHint().height() + kDetailsRoom;
    const bool beside = centralWidget()->height() >= wanted;
    const auto across = beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_resultsFlow->direction() == across) {
        return;
    }
    m_resultsFlow->setDirection(across);
    // Beside the grid: the monitors, the documents, Print and Quit, one over
    // the other. Under it: the monitors over Print and Quit, the documents
    // to their right.
    for (QWidget* part : {m_monitorsBox, m_documentsBox, m_printBox}) {
        m_sideGrid->removeWidget(part);
    }
    m_sideGrid->addWidget(m_monitorsBox, 0, 0, Qt::AlignTop);
    if (beside) {
        m_sideGrid->addWidget(m_documentsBox, 1, 0, Qt::AlignTop);
        m_sideGrid->addWidget(m_printBox, 2, 0, Qt::AlignTop);
        m_sideGrid->setRowStretch(1, 0);
        m_sideGrid->setRowStretch(3, 1);
    } else {
        m_sideGrid->addWidget(m_printBox, 1, 0, Qt::AlignTop);
        m_sideGrid->addWidget(m_documentsBox, 0, 1, 2, 1, Qt::AlignTop);
        m_sideGrid->setRowStretch(1, 1);
        m_sideGrid->setRowStretch(3, 0);
    }
}

void MainWindow::PlaceSplitter() {
    if (m_splitterByUser || !m_splitter->widget(1)->isVisibleTo(this)) {
        return;
    }
    const int room = m_splitter->height() - m_splitter->handleWidth();
    const bool beside = m_resultsFlow->direction() == QBoxLayout::LeftToRight;
    // Beside, the monitors and the documents are seen whole; under the
    // grid they scroll with it, and the details have two thirds.
    const int least = beside ? m_splitter->widget(0)->sizeHint().height() : room / 3;
    const int top = std::clamp(least, 0, std::max(room - kDetailsRoom, room / 3));
    m_splitter->setSizes({top, room - top});
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Reflow();
    PlaceSplitter();
}

QSize MainWindow::sizeHint() const {
    // As much of the screen as there is: the room goes to the grid and the chart.
    if (const QScreen* shown = screen()) {
        const QMargins frame = FrameMargins();
        const QSize available =
            shown->availableGeometry().size() - QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
        return available.expandedTo(minimumSizeHint());
    }
    return QMainWindow::sizeHint();
}

QMargins MainWindow::FrameMargins() const {
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    if (isVisible() && frame != inner) {
        return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                frame.bottom() - inner.bottom()};
    }
    return kAssumedFrame;
}

void MainWindow::FitTo(const QRect& available) {
    const QMargins frame = FrameMargins();
    const QRect inner = available.marginsRemoved(frame);
    resize(inner.size().expandedTo(minimumSizeHint()));
    move(available.topLeft());
    m_fittedTo = available;
    m_fitOnFrame = frame == kAssumedFrame;
}

// The real frame, once the window manager has drawn it, may differ from the
// one assumed: the window is fitted again with it.
void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (m_fitOnFrame && isVisible() && frameGeometry() != geometry()) {
        m_fitOnFrame = false;
        if (!m_fittedTo.contains(frameGeometry())) {
            FitTo(m_fittedTo);
            m_fitOnFrame = false;
        }
    }
}

bool MainWindow::RestoreLayout(const QSettings& settings) {
    m_splitterByUser = m_splitter->restoreState(settings.value(QStringLiteral("MainWindow/details")).toByteArray());
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
