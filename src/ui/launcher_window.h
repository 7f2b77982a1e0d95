#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

#include "qt_services.h"

namespace tavrin::ui {

// The first window of a run ("frmLanch"): introduces the tool, opens the
// information text, starts the main window or ends the run.
class LauncherWindow final : public QWidget {
    Q_OBJECT
public:
    // `startMainWindow` shows the main window; false when it could not start.
    LauncherWindow(std::filesystem::path programFolder, DocumentOpener& opener, MessageBoxService& messages,
                   std::function<bool()> startMainWindow, QWidget* parent = nullptr);

private:
    std::filesystem::path m_programFolder;
    DocumentOpener* m_opener;
    MessageBoxService* m_messages;
    std::function<bool()> m_startMainWindow;
};

}  // namespace tavrin::ui
