#include "document_actions.h"

#include <system_error>

#include "reports/maker_contact.h"
#include "reports/report.h"
#include "support/file_io.h"

namespace tavrin {

DocumentActions::DocumentActions(std::filesystem::path programFolder, MessageBoxService& messages,
                                 DocumentOpener& documents, ReportPrinter& printer)
    : m_programFolder(std::move(programFolder)), m_messages(&messages), m_documents(&documents), m_printer(&printer) {}

void DocumentActions::OpenDataSheet(const std::string& head) {
    if (const auto sheet = DataSheetOf(PdfFolder(m_programFolder), head)) {
        Open(sheet->string());
        return;
    }
    const Message missing{
        "Sorry, the PDF document containing the product features is not available here. Please, "
        "visit the Corvane website to consult this document.",
        "Info", MessageIcon::None, MessageButtons::OkCancel};
    if (m_messages->Show(missing) == MessageAnswer::Ok) {
        Open(kProductIndexPage);
    }
}

std::optional<std::filesystem::path> DocumentActions::Print(const std::string& report) {
    auto written = WriteReportFile(report);
    m_printer->PrintReport(report);
    return written;
}

// Print.txt stays in the program folder where it can be written; an installed
// copy, whose folder is read-only, keeps it in the user's data folder and says
// so once per run.
std::optional<std::filesystem::path> DocumentActions::WriteReportFile(const std::string& report) {
    const std::filesystem::path file = m_programFolder / kReportFileName;
    const auto written = ReplaceFile(file, report);
    if (written) {
        return file;
    }
    if (!m_userDataFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(m_userDataFolder, ec);
        const std::filesystem::path fallback = m_userDataFolder / kReportFileName;
        if (!ec && ReplaceFile(fallback, report)) {
            if (!m_toldReportFolder) {
                m_toldReportFolder = true;
                m_messages->Show(
                    Message{"The program folder cannot be written, so the report is kept in " + fallback.string() + ".",
                            "Print", MessageIcon::Information, MessageButtons::Ok});
            }
            return fallback;
        }
    }
    m_messages->Show(Message{written.Failure().message + ". The report is printed all the same.", "Print",
                             MessageIcon::Exclamation, MessageButtons::Ok});
    return std::nullopt;
}

void DocumentActions::OpenCurveDocument(CurveDocument document) {
    if (const auto file = CurveDocumentFile(PdfFolder(m_programFolder), document)) {
        Open(file->string());
        return;
    }
    m_messages->Show(
        Message{"Sorry, the PDF document is not available here", "Tavrin", MessageIcon::None, MessageButtons::Ok});
}

void DocumentActions::OpenWebSite() {
    Open(kMakerWebSite);
}

// The desktop may have no program for the document or address; the user is told.
void DocumentActions::Open(const std::string& target) {
    if (!m_documents->OpenDocument(target)) {
        m_messages->Show(CouldNotOpenMessage(target));
    }
}

std::optional<std::string> DocumentActions::SaveChart(ChartFiles& files, const std::string& stem) {
    const auto chosen = files.ChooseChartFile(stem + ".png");
    if (!chosen) {
        return std::nullopt;
    }
    // A name without a suffix takes the one of the filter it was chosen with.
    std::string path = chosen->path;
    auto format = ChartFormatOf(path);
    if (!format && chosen->filter && std::filesystem::path(path).extension().empty()) {
        format = chosen->filter;
        path += SuffixOf(*format);
    }
    if (!format) {
        m_messages->Show(Message{"Save the chart as a .png, .svg or .pdf file.", "Save Chart", MessageIcon::Exclamation,
                                 MessageButtons::Ok});
        return std::nullopt;
    }
    const auto bytes = files.RenderChart(*format);
    const auto written = bytes ? ReplaceFile(path, *bytes) : Result<void>(Error{ErrorCode::FileUnwritable, ""});
    if (!written) {
        const std::string& reason = written.Failure().reason;
        m_messages->Show(
            Message{"The chart could not be written to " + path + (reason.empty() ? "." : ": " + reason + "."),
                    "Save Chart", MessageIcon::Exclamation, MessageButtons::Ok});
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> DocumentActions::SaveReport(ReportFiles& files, const ReportDocument& document) {
    const auto chosen = files.ChooseReportFile(std::string(kReportTitle) + ".pdf");
    if (!chosen) {
        return std::nullopt;
    }
    std::string path = *chosen;
    if (std::filesystem::path(path).extension().empty()) {
        path += ".pdf";
    }
    const auto bytes = files.DrawReport(document);
    const auto written = bytes ? ReplaceFile(path, *bytes) : Result<void>(Error{ErrorCode::FileUnwritable, ""});
    if (!written) {
        const std::string& reason = written.Failure().reason;
        m_messages->Show(
            Message{"The report could not be written to " + path + (reason.empty() ? "." : ": " + reason + "."),
                    "Save Report as PDF", MessageIcon::Exclamation, MessageButtons::Ok});
        return std::nullopt;
    }
    return path;
}

}  // namespace tavrin
