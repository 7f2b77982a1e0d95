#pragma once

#include <string>

#include "support/message_box.h"

namespace tavrin {

// Opens a file or a web address with the desktop's registered application,
// without waiting for it; false when no program took it.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual bool OpenDocument(const std::string& target) = 0;
};

// Tells the user that a document or address could not be opened.
Message CouldNotOpenMessage(const std::string& target);

// Lets the user pick a printer and prints the report on it in a fixed-pitch
// font; prints nothing when the user cancels.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    virtual void PrintReport(const std::string& report) = 0;
};

}  // namespace tavrin
