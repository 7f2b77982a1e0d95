#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "reports/mail.h"
#include "reports/request_window.h"
#include "support/message_box.h"

namespace tavrin::ui {

// Whether a program of the desktop handles mailto: addresses, as the
// freedesktop MIME query (`xdg-mime`) tells. Without one, an opener or
// composer would start and hand the message to nobody.
bool MailHandlerExists(const QString& mimeQuery = QStringLiteral("xdg-mime"));

// A pre-filled message in the user's mail program: the desktop's opener
// (xdg-open) given a mailto: address, when a program handles mailto.
class MailtoRoute final : public MailRoute {
public:
    explicit MailtoRoute(QString opener = QStringLiteral("xdg-open"), QString mimeQuery = QStringLiteral("xdg-mime"))
        : m_opener(std::move(opener)), m_mimeQuery(std::move(mimeQuery)) {}
    bool Send(const MailMessage& message) override;

private:
    QString m_opener;
    QString m_mimeQuery;
};

// The desktop's mail composer (xdg-email), started detached with its
// arguments as a list, when a program handles mailto.
class ComposerRoute final : public MailRoute {
public:
    explicit ComposerRoute(QString program = QStringLiteral("xdg-email"),
                           QString mimeQuery = QStringLiteral("xdg-mime"))
        : m_program(std::move(program)), m_mimeQuery(std::move(mimeQuery)) {}
    bool Send(const MailMessage& message) override;

private:
    QString m_program;
    QString m_mimeQuery;
};

// The desktop's clipboard.
class QtClipboard final : public Clipboard {
public:
    void SetText(const std::string& text) override;
};

// The request window as the core sees it: it takes the text, then shows
// the dialog modally over its owner.
class QtRequestWindow final : public RequestWindow {
public:
    QtRequestWindow(QWidget* owner, MessageBoxService& messages) : m_owner(owner), m_messages(&messages) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }
    // Where a request no mail program took is kept as a file.
    void KeepRequestsIn(std::vector<std::filesystem::path> folders) { m_folders = std::move(folders); }
    void Testo(const std::string& text) override { m_text = text; }
    void UncoveredWavelength(const std::string& wavelength) override { m_uncovered = wavelength; }
    void ShowModal() override;

private:
    QPointer<QWidget> m_owner;
    MessageBoxService* m_messages;
    std::string m_text;
    std::string m_uncovered;
    std::vector<std::filesystem::path> m_folders;
};

}  // namespace tavrin::ui
