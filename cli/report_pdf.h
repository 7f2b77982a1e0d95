#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form/main_window_model.h"
#include "form/report_document.h"
#include "support/file_io.h"
#include "support/output_target.h"
#include "support/result.h"

namespace tavrin::cli {

// Whether this build can draw the PDF report: a build without the windows
// has no drawing and refuses --report-pdf.
bool CanDrawReportPdf();
inline constexpr const char* kNoPdfDrawing =
    "--report-pdf: this cv-tavrin-cli was built without the windows, which draw the PDF report";

// Draws PDF reports. What drawing needs (fonts, through a QGuiApplication on
// the offscreen platform when the process has none) is made at the first
// drawing, so that a command that writes no PDF never starts it.
class ReportPdfDrawer {
public:
    ReportPdfDrawer();
    ~ReportPdfDrawer();
    ReportPdfDrawer(const ReportPdfDrawer&) = delete;
    ReportPdfDrawer& operator=(const ReportPdfDrawer&) = delete;

    // The document as a PDF file's bytes; nothing when it cannot be drawn.
    std::optional<std::string> Draw(const ReportDocument& document);

private:
    struct Drawing;
    std::unique_ptr<Drawing> m_drawing;
};

// Writes the report of the model's last search to `path`, with `head` (the
// first suitable head when none) on its second page, dated today on the
// locale's paper, through the same safe replacement as every other file.
Result<void> WriteReportPdf(ReportPdfDrawer& drawer, const MainWindowModel& model, std::optional<std::size_t> head,
                            const std::filesystem::path& path, const WriteRules& rules);

// Refuses a PDF report's file that is standard output, where the listing
// goes: the two would be mixed.
Result<void> RefuseStandardOutput(const std::filesystem::path& pdf);

// Whether the two paths lead to one file to be replaced whole.
bool OneFile(const std::filesystem::path& first, const std::filesystem::path& second);

// The PDF files a batch's rows have written, so that a later row never
// replaces an earlier row's report. Only files count: a device or pipe may
// be written again.
class WrittenReports {
public:
    // The row whose report is the file `path` leads to, by whatever path.
    [[nodiscard]] std::optional<std::size_t> WrittenBy(const std::filesystem::path& path) const;
    void Written(const std::filesystem::path& path, std::size_t row);

private:
    struct Report {
        std::filesystem::path file;
        std::optional<FileIdentity> identity;
        std::size_t row = 0;
    };
    std::vector<Report> m_reports;
};

}  // namespace tavrin::cli
