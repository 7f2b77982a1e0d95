#include "startup_probe.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace tavrin::ui {

StartupProbe::StartupProbe(QWidget& launcher) : QObject(&launcher), m_launcher(&launcher) {
    launcher.installEventFilter(this);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == m_launcher) {
        m_launcher->removeEventFilter(this);
        std::printf("launcher-painted\n");
        std::fflush(stdout);
        QTimer::singleShot(0, this, &StartupProbe::PressTavrin);
    } else if (event->type() == QEvent::Paint && watched == m_main) {
        m_main->removeEventFilter(this);
        std::printf("main-painted %.3f\n", static_cast<double>(m_sincePress.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }
    return QObject::eventFilter(watched, event);
}

void StartupProbe::PressTavrin() {
    auto* tavrin = m_launcher->findChild<QPushButton*>(QStringLiteral("cmdTavrin"));
    if (tavrin == nullptr) {
        QApplication::exit(1);
        return;
    }
    m_sincePress.start();
    tavrin->click();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("frmMain")) {
            m_main = window;
            m_main->installEventFilter(this);
        }
    }
    if (m_main == nullptr) {
        QApplication::exit(1);
    }
}

}  // namespace tavrin::ui
