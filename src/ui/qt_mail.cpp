#include "qt_mail.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

#include "qt_services.h"
#include "request_dialog.h"

namespace tavrin::ui {

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
    dialog.NameUncoveredWavelength(m_uncovered);
    dialog.KeepRequestsIn(m_folders);
    dialog.exec();
}

}  // namespace tavrin::ui
