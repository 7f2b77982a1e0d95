#include "report_export.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "app_settings.h"
#include "paint/pdf_report.h"

namespace tavrin::ui {

std::optional<std::string> ReportExport::ChooseReportFile(const std::string& suggestedName) {
    QSettings settings = AppSettings();
    const QString key = QString::fromLatin1(kReportFolderKey);
    QString folder = settings.value(key).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    const QString path = QFileDialog::getSaveFileName(m_parent, QStringLiteral("Save Report as PDF"),
                                                      QDir(folder).filePath(QString::fromStdString(suggestedName)),
                                                      QStringLiteral("PDF document (*.pdf)"));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    settings.setValue(key, QFileInfo(path).absolutePath());
    return path.toStdString();
}

std::optional<std::string> ReportExport::DrawReport(const ReportDocument& document) {
    return paint::RenderReportPdf(document);
}

}  // namespace tavrin::ui
