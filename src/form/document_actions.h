#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "chart_files.h"
#include "desktop_services.h"
#include "documents.h"
#include "report_files.h"
#include "support/message_box.h"

namespace tavrin {

// What the main window hands to the outside: data sheets, the coating
// documents and the maker's site opened on the desktop, the report written
// to Print.txt and printed, the chart saved. Each failure is told to the user.
class DocumentActions {
public:
    DocumentActions(std::filesystem::path programFolder, MessageBoxService& messages, DocumentOpener& documents,
                    ReportPrinter& printer);

    // Where Print.txt goes when the program folder cannot be written.
    void SetUserDataFolder(std::filesystem::path folder) { m_userDataFolder = std::move(folder); }
    [[nodiscard]] const std::filesystem::path& ProgramFolder() const { return m_programFolder; }

    // The head's data sheet, or an offer of the product index when it is not here.
    void OpenDataSheet(const std::string& head);
    void OpenCurveDocument(CurveDocument document);
    void OpenWebSite();
    // Writes Print.txt and prints it; where the file was written, if it was.
    std::optional<std::filesystem::path> Print(const std::string& report);
    // Asks for a file (named `stem` with a suffix) and writes the chart into
    // it; the file's path, or nothing when the user cancelled or it failed.
    std::optional<std::string> SaveChart(ChartFiles& files, const std::string& stem);

    // Asks for a file and writes the PDF report into it (".pdf" added to a
    // name without a suffix); the file's path, or nothing when the user
    // cancelled or it failed.
    std::optional<std::string> SaveReport(ReportFiles& files, const ReportDocument& document);

private:
    void Open(const std::string& target);
    std::optional<std::filesystem::path> WriteReportFile(const std::string& report);

    std::filesystem::path m_programFolder;
    MessageBoxService* m_messages;
    DocumentOpener* m_documents;
    ReportPrinter* m_printer;
    std::filesystem::path m_userDataFolder;
    bool m_toldReportFolder = false;
};

}  // namespace tavrin
