#pragma once

#include <filesystem>
#include <memory>

#include <QSettings>

#include "main_window.h"
#include "qt_mail.h"
#include "qt_printing.h"
#include "qt_services.h"

namespace tavrin::ui {

// The main window of a run with the desktop services it reaches the outside
// through; the window's place and the laser last entered are kept between runs.
class DesktopSession {
public:
    // Loads the catalogues and builds the window; nothing (after telling the
    // user, over `messageParent`) when a catalogue file is missing.
    static std::unique_ptr<DesktopSession> Start(const std::filesystem::path& programFolder,
                                                 QWidget* messageParent = nullptr);

    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;
    ~DesktopSession();

    [[nodiscard]] MainWindow& Window() { return *m_window; }
    [[nodiscard]] MainWindowModel& Model() { return *m_model; }
    // Whether the window took the place and size it had when the last run ended.
    [[nodiscard]] bool Placed() const { return m_placed; }

private:
    DesktopSession() = default;

    QtMessageBoxService m_messages;
    QtDocumentOpener m_opener;
    QtRequestWindow m_requestWindow{nullptr, m_messages};
    QtReportPrinter m_printer;
    std::unique_ptr<MainWindowModel> m_model;
    std::unique_ptr<MainWindow> m_window;
    bool m_placed = false;
};

}  // namespace tavrin::ui
