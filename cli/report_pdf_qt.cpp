// The PDF report drawn with Qt, in a build with the windows.
#include <QGuiApplication>
#include <QtGlobal>
#include <array>

#include "paint/pdf_report.h"
#include "report_pdf.h"

namespace tavrin::cli {

bool CanDrawReportPdf() {
    return true;
}

// The application the fonts and the painting need, made only when the
// process has none (a test that runs in a window's process has one).
struct ReportPdfDrawer::Drawing {
    // The arguments outlive the application, which keeps them.
    std::string name = "cv-tavrin-cli";
    std::string platformOption = "-platform";
    std::string platform = "offscreen";
    std::array<char*, 4> argv{};
    int argc = 3;
    std::unique_ptr<QGuiApplication> application;

    Drawing() {
        argv = {name.data(), platformOption.data(), platform.data(), nullptr};
        if (QGuiApplication::instance() == nullptr) {
            // Qt's notes on the platform (no runtime folder, no screen) are
            // not the command's output.
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
            application = std::make_unique<QGuiApplication>(argc, argv.data());
        }
    }
};

ReportPdfDrawer::ReportPdfDrawer() = default;
ReportPdfDrawer::~ReportPdfDrawer() = default;

std::optional<std::string> ReportPdfDrawer::Draw(const ReportDocument& document) {
    if (!m_drawing) {
        m_drawing = std::make_unique<Drawing>();
    }
    return paint::RenderReportPdf(document);
}

}  // namespace tavrin::cli
