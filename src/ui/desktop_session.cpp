#include "desktop_session.h"

#include <QLocale>

namespace tavrin::ui {

char SystemDecimalSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

std::unique_ptr<DesktopSession> DesktopSession::Start(const std::filesystem::path& programFolder) {
    std::unique_ptr<DesktopSession> session(new DesktopSession);
    session->m_model = MainWindowModel::Start(
        programFolder, SystemDecimalSeparator(),
        MainWindowServices{session->m_messages, session->m_opener, session->m_requestWindow, session->m_printer});
    if (!session->m_model) {
        return nullptr;
    }
    session->m_window = std::make_unique<MainWindow>(*session->m_model);
    session->m_messages.SetParent(session->m_window.get());
    session->m_requestWindow.SetOwner(session->m_window.get());
    session->m_printer.SetParent(session->m_window.get());
    return session;
}

DesktopSession::~DesktopSession() = default;

}  // namespace tavrin::ui
