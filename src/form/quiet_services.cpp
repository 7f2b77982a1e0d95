#include "quiet_services.h"

namespace tavrin {

MessageAnswer QuietServices::Show(const Message&) {
    return MessageAnswer::Ok;
}

bool QuietServices::OpenDocument(const std::string&) {
    return false;
}

void QuietServices::Testo(const std::string&) {}

void QuietServices::UncoveredWavelength(const std::string&) {}

void QuietServices::ShowModal() {}

void QuietServices::PrintReport(const std::string&) {}

}  // namespace tavrin
