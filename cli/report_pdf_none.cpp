// A build without the windows draws no PDF: --report-pdf is refused before
// anything is drawn.
#include "report_pdf.h"

namespace tavrin::cli {

bool CanDrawReportPdf() {
    return false;
}

struct ReportPdfDrawer::Drawing {};

ReportPdfDrawer::ReportPdfDrawer() = default;
ReportPdfDrawer::~ReportPdfDrawer() = default;

std::optional<std::string> ReportPdfDrawer::Draw(const ReportDocument&) {
    return std::nullopt;
}

}  // namespace tavrin::cli
