#include "desktop_services.h"

namespace tavrin {

Message CouldNotOpenMessage(const std::string& target) {
    return Message{target + " could not be opened: no program of the desktop took it.", "Tavrin",
                   MessageIcon::Exclamation, MessageButtons::Ok};
}

}  // namespace tavrin
