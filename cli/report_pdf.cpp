#include "report_pdf.h"

namespace tavrin::cli {

Result<void> WriteReportPdf(ReportPdfDrawer& drawer, const MainWindowModel& model, std::optional<std::size_t> head,
                            const std::filesystem::path& path, const WriteRules& rules) {
    const ReportDocument document =
        ComposeReportDocument(model, ReportChoice{head, TodayText(), PaperFromEnvironment()});
    const auto bytes = drawer.Draw(document);
    if (!bytes) {
        return Error{ErrorCode::FileUnwritable, "could not be drawn for " + path.string()};
    }
    return ReplaceFile(path, *bytes, rules);
}

}  // namespace tavrin::cli
