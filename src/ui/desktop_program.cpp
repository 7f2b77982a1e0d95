#include "desktop_program.h"

#include <QApplication>
#include <QScreen>
#include <memory>

#include "desktop_session.h"
#include "launcher_window.h"

namespace tavrin::ui {
namespace {

// At the size asked for, in the middle of the screen.
void Centre(QWidget& window, QSize size) {
    window.resize(size);
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
        if (!session->Placed()) {
            // The screen's whole area, the window manager's frame included.
            if (const QScreen* screen = session->Window().screen()) {
                session->Window().FitTo(screen->availableGeometry());
            }
        }
        session->Window().show();
        return true;
    });
    messages.SetParent(&launcher);
    launcher.adjustSize();
    Centre(launcher, launcher.size());
    if (beforeShow) {
        beforeShow(launcher);
    }
    launcher.show();
    return QApplication::exec();
}

}  // namespace tavrin::ui
