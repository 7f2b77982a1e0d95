#pragma once

#include <QDialog>
#include <string>

#include "qt_mail.h"
#include "qt_services.h"
#include "reports/request_window.h"

class QLabel;
class QPushButton;

namespace tavrin::ui {

// The request window ("frmInfo"): why it opened, and "Send" or "Cancel".
class RequestDialog final : public QDialog {
    Q_OBJECT
public:
    // The routes default to the mail program's pre-filled message, then the desktop's composer.
    RequestDialog(const std::string& requestText, MessageBoxService& messages, QWidget* owner = nullptr,
                  MailRoute* prefilledMessage = nullptr, MailRoute* composer = nullptr);

    [[nodiscard]] const RequestWindowModel& Model() const { return m_model; }
    void KeepRequestsIn(std::vector<std::filesystem::path> folders) { m_model.KeepRequestsIn(std::move(folders)); }
    // The explanation names the wavelength no head covers, if any (empty: none).
    void NameUncoveredWavelength(const std::string& wavelength);

private:
    void Send();

    RequestWindowModel m_model;
    MessageBoxService* m_messages;
    QLabel* m_info = nullptr;
    MailtoRoute m_mailto;
    ComposerRoute m_composer;
    QtClipboard m_clipboard;
    MailRoute* m_first;
    MailRoute* m_second;
};

}  // namespace tavrin::ui
