#include "launcher.h"

#include <system_error>

namespace tavrin {

std::string LauncherIntroText() {
    return "The Tavrin program, on the simple input of your laser parameters, will browse among Corvane's Power or "
           "Energy Detectors and lead to the most suitable products for your application . "
           "\u00A9 Corvane. All rights reserved. Release 1.0.0 of 6 December 2026.";
}

void OpenInformationText(const std::filesystem::path& programFolder, DocumentOpener& opener,
                         MessageBoxService& messages) {
    const std::filesystem::path file = programFolder / kInformationFileName;
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec) && opener.OpenDocument(file.string())) {
        return;
    }
    messages.Show(Message{"The information text " + file.string() + " could not be opened.", "Tavrin",
                          MessageIcon::Exclamation, MessageButtons::Ok});
}

}  // namespace tavrin
