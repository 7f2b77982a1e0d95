#include "qt_services.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTextDocument>
#include <QUrl>

#include "request_dialog.h"

namespace tavrin::ui {

QString ToQt(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

MessageAnswer QtMessageBoxService::Show(const Message& message) {
    QMessageBox box(m_parent);
    box.setWindowTitle(ToQt(message.title));
    box.setText(ToQt(message.text));
    switch (message.icon) {
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    if (message.buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

bool QtDocumentOpener::OpenDocument(const std::string& target) {
    const QString text = ToQt(target);
    const QUrl url = text.contains(QStringLiteral("://")) ? QUrl(text) : QUrl::fromLocalFile(text);
    return QDesktopServices::openUrl(url);
}

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

bool MailHandlerExists(const QString& mimeQuery) {
    QProcess query;
    query.start(mimeQuery,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

bool MailtoRoute::Send(const MailMessage& message) {
    const QUrl url(ToQt(MailtoUrl(message)), QUrl::StrictMode);
    return url.isValid() && MailHandlerExists(m_mimeQuery) &&
           QProcess::startDetached(m_opener, {url.toString(QUrl::FullyEncoded)});
}

bool ComposerRoute::Send(const MailMessage& message) {
    QStringList arguments;
    for (const std::string& argument : ComposerArguments(message)) {
        arguments << ToQt(argument);
    }
    return MailHandlerExists(m_mimeQuery) && QProcess::startDetached(m_program, arguments);
}

void QtClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(ToQt(text));
}

void QtRequestWindow::ShowModal() {
    RequestDialog dialog(m_text, *m_messages, m_owner);
    dialog.KeepRequestsIn(m_folders);
    dialog.exec();
}

}  // namespace tavrin::ui
