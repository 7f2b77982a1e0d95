#pragma once

#include <optional>
#include <string>

#include "report_document.h"

namespace tavrin {

// Where the PDF report is saved: the window asks the user for a file and
// draws the report; the model composes it and writes the file.
class ReportFiles {
public:
    virtual ~ReportFiles() = default;
    // The file the user chose, or nothing when they cancelled.
    virtual std::optional<std::string> ChooseReportFile(const std::string& suggestedName) = 0;
    // The report drawn as a PDF file's bytes, or nothing when it cannot be drawn.
    virtual std::optional<std::string> DrawReport(const ReportDocument& document) = 0;
};

}  // namespace tavrin
