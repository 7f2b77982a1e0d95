#pragma once

#include <filesystem>
#include <string>

#include "desktop_services.h"
#include "support/message_box.h"

namespace tavrin {

inline constexpr const char* kInformationFileName = "CV-Tavrin.txt";

// The launcher's introduction: what the tool does, then the ownership notice.
std::string LauncherIntroText();

// "INFO": opens the information text of the program folder in the desktop's
// text viewer without waiting; tells the user when it cannot be opened.
void OpenInformationText(const std::filesystem::path& programFolder, DocumentOpener& opener,
                         MessageBoxService& messages);

}  // namespace tavrin
