#include "desktop_session.h"

#include <QSettings>
#include <QStandardPaths>

#include "support/decimal_separator.h"

namespace tavrin::ui {

std::unique_ptr<DesktopSession> DesktopSession::Start(const std::filesystem::path& programFolder,
                                                      QWidget* messageParent) {
    std::unique_ptr<DesktopSession> session(new DesktopSession);
    session->m_messages.SetParent(messageParent);
    session->m_model = MainWindowModel::Start(
        programFolder, DecimalSeparatorFromEnvironment(),
        MainWindowServices{session->m_messages, session->m_opener, session->m_requestWindow, session->m_printer});
    if (!session->m_model) {
        return nullptr;
    }
    const std::filesystem::path dataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/cv-tavrin";
    session->m_model->SetUserDataFolder(dataFolder);
    session->m_requestWindow.KeepRequestsIn({programFolder, dataFolder});
    session->m_window = std::make_unique<MainWindow>(*session->m_model);
    session->m_placed = session->m_window->RestoreLayout(Settings());
    session->m_messages.SetParent(session->m_window.get());
    session->m_requestWindow.SetOwner(session->m_window.get());
    session->m_printer.SetParent(session->m_window.get());
    return session;
}

DesktopSession::~DesktopSession() {
    if (m_window) {
        QSettings settings = Settings();
        m_window->SaveLayout(settings);
    }
}

QSettings DesktopSession::Settings() {
    // $XDG_CONFIG_HOME/cv-tavrin/cv-tavrin.conf; nothing the user typed is kept.
    return QSettings(QStringLiteral("cv-tavrin"), QStringLiteral("cv-tavrin"));
}

}  // namespace tavrin::ui
