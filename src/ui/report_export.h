#pragma once

#include "form/report_files.h"

class QWidget;

namespace tavrin::ui {

inline constexpr const char* kReportFolderKey = "Reports/folder";

// Save Report as PDF's dialog, opened in the folder the last report went
// to (kept in the settings, at first the user's documents), and the report
// drawn by the paint library.
class ReportExport final : public ReportFiles {
public:
    explicit ReportExport(QWidget* parent) : m_parent(parent) {}

    std::optional<std::string> ChooseReportFile(const std::string& suggestedName) override;
    std::optional<std::string> DrawReport(const ReportDocument& document) override;

private:
    QWidget* m_parent;
};

}  // namespace tavrin::ui
