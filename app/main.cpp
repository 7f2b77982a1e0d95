#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <memory>

#include "support/program_folder.h"
#include "ui/desktop_session.h"
#include "ui/launcher_window.h"
#include "ui/startup_probe.h"

namespace {

void Centre(QWidget& window) {
    window.adjustSize();
    if (const QScreen* screen = window.screen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CV-Tavrin"));
    const std::filesystem::path folder = tavrin::ProgramFolder();

    tavrin::ui::QtMessageBoxService messages;
    tavrin::ui::QtDocumentOpener opener;
    std::unique_ptr<tavrin::ui::DesktopSession> session;
    tavrin::ui::LauncherWindow launcher(folder, opener, messages, [&session, &folder] {
        session = tavrin::ui::DesktopSession::Start(folder);
        if (!session) {
            return false;
        }
        Centre(session->Window());
        session->Window().show();
        return true;
    });
    Centre(launcher);
    if (tavrin::ui::StartupProbe::Requested()) {
        new tavrin::ui::StartupProbe(launcher);  // owned by the launcher
    }
    launcher.show();
    return QApplication::exec();
}
