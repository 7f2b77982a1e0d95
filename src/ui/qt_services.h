#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "form/desktop_services.h"
#include "reports/mail.h"
#include "reports/request_window.h"

class QPagedPaintDevice;

namespace tavrin::ui {

// Message boxes with the exact texts, titles, icons and buttons.
class QtMessageBoxService final : public MessageBoxService {
public:
    explicit QtMessageBoxService(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    MessageAnswer Show(const Message& message) override;

private:
    QPointer<QWidget> m_parent;
};

// Opens files and addresses with the desktop's registered application.
class QtDocumentOpener final : public DocumentOpener {
public:
    bool OpenDocument(const std::string& target) override;
};

// The printer dialog, then the report in a fixed-pitch font.
class QtReportPrinter final : public ReportPrinter {
public:
    explicit QtReportPrinter(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    void PrintReport(const std::string& report) override;

private:
    QPointer<QWidget> m_parent;
};

// Lays the report out on a printer or PDF writer, one fixed-pitch line per line.
void PrintReportOn(QPagedPaintDevice& device, const std::string& report);

// A pre-filled message in the user's mail program, through a mailto: address.
class MailtoRoute final : public MailRoute {
public:
    bool Send(const MailMessage& message) override;
};

// The desktop's mail composer (xdg-email), started detached with its
// arguments as a list.
class ComposerRoute final : public MailRoute {
public:
    explicit ComposerRoute(QString program = QStringLiteral("xdg-email")) : m_program(std::move(program)) {}
    bool Send(const MailMessage& message) override;

private:
    QString m_program;
};

// The request window as the core sees it: it takes the text, then shows
// the dialog modally over its owner.
class QtRequestWindow final : public RequestWindow {
public:
    QtRequestWindow(QWidget* owner, MessageBoxService& messages) : m_owner(owner), m_messages(&messages) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }
    void Testo(const std::string& text) override { m_text = text; }
    void ShowModal() override;

private:
    QPointer<QWidget> m_owner;
    MessageBoxService* m_messages;
    std::string m_text;
};

QString ToQt(const std::string& text);

}  // namespace tavrin::ui
