#include "qt_printing.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "qt_services.h"

namespace tavrin::ui {
namespace {

QFont ReportFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    font.setPointSizeF(9.75);
    return font;
}

}  // namespace

void PrintReportOn(QPagedPaintDevice& device, const std::string& report) {
    QString text = ToQt(report);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Narrow margins leave room for the 86 characters of the product table.
    device.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(ReportFont());
    document.setDocumentMargin(0);
    document.setPlainText(text);
    document.setPageSize(device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    document.print(&device);
}

void QtReportPrinter::PrintReport(const std::string& report) {
    QPrinter printer;
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PrintReportOn(printer, report);
}

}  // namespace tavrin::ui
