#include "desktop_program.h"

#include <QApplication>
#include <QScreen>
#include <memory>

#include "desktop_session.h"
#include "launcher_window.h"

namespace tavrin::ui {
namespace {

void Centre(QWidget& window) {
    window.adjustSize();
    if (const QScreen* screen = window.screen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}

}  // namespace

int RunDesktopProgram(const std::filesystem::path& programFolder,
                      const std::function<void(QWidget& launcher)>& beforeShow) {
    QtMessageBoxService messages;
    QtDocumentOpener opener;
    std::unique_ptr<DesktopSession> session;
    LauncherWindow launcher(programFolder, opener, messages, [&session, &programFolder, &messages] {
        session = DesktopSession::Start(programFolder, messages.Parent());
        if (!session) {
            return false;
        }
        Centre(session->Window());
        session->Window().show();
        return true;
    });
    messages.SetParent(&launcher);
    Centre(launcher);
    if (beforeShow) {
        beforeShow(launcher);
    }
    launcher.show();
    return QApplication::exec();
}

}  // namespace tavrin::ui
