#include "qt_services.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

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

}  // namespace tavrin::ui
