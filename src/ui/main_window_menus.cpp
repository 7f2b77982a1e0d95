// The main window's menu bar: File, Edit and Help.
#include <QMenuBar>

#include "main_window.h"

namespace tavrin::ui {

// File, Edit and Help, each command with its key shown beside it.
void MainWindow::BuildMenus() {
    const auto add = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    m_saveChartAction =
        add(m_fileMenu, "actSaveChart", QStringLiteral("Save &Chart\u2026"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m_savePdfAction = add(m_fileMenu, "cmdSavePdf", QStringLiteral("Save &Report as PDF\u2026"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_printAction = add(m_fileMenu, "actPrint", QStringLiteral("&Print\u2026"), QKeySequence(Qt::CTRL | Qt::Key_P));
    m_fileMenu->addSeparator();
    // Written out rather than taken from the platform's list, which on some
    // platforms has no key to quit.
    QAction* quit = add(m_fileMenu, "actQuit", QStringLiteral("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_undoAction = add(edit, "actUndoReset", QStringLiteral("&Undo Reset Data"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_copyAction = add(edit, "actCopyResults", QStringLiteral("&Copy Results"), QKeySequence(Qt::CTRL | Qt::Key_C));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* guide = add(help, "actGuide", QStringLiteral("&User's Guide"), QKeySequence(Qt::Key_F1));
    connect(guide, &QAction::triggered, this, [this] { m_model->OpenUserGuide(); });
    QAction* about = add(help, "actAbout", QStringLiteral("&About CV-Tavrin"), QKeySequence());
    connect(about, &QAction::triggered, this, [this] { m_model->ShowAbout(); });
}

}  // namespace tavrin::ui
