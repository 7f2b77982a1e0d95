#pragma once

#include <filesystem>
#include <functional>

class QWidget;

namespace tavrin::ui {

// The exit status of a run that ended because a catalogue file is missing.
inline constexpr int kCatalogueMissingExit = 3;

// Runs the desktop program from the launcher on: the main window of the
// program folder's catalogues once "TAVRIN" is pressed. `beforeShow` may watch
// the launcher (the start-up measurement does). Returns the exit status.
int RunDesktopProgram(const std::filesystem::path& programFolder,
                      const std::function<void(QWidget& launcher)>& beforeShow = {});

}  // namespace tavrin::ui
