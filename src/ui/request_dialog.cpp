#include "request_dialog.h"

#include <QLabel>
#include <QPushButton>

namespace tavrin::ui {
namespace {

// Positions are the window's design in twips, 15 twips to a pixel.
constexpr int Px(int twips) {
    return twips / 15;
}

QPushButton* RedButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(12);
    font.setBold(true);
    button->setFont(font);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: #C00000; color: white; }"));
    return button;
}

}  // namespace

RequestDialog::RequestDialog(const std::string& requestText, MessageBoxService& messages, QWidget* owner,
                             MailRoute* prefilledMessage, MailRoute* composer)
    : QDialog(owner),
      m_messages(&messages),
      m_first(prefilledMessage != nullptr ? prefilledMessage : &m_mailto),
      m_second(composer != nullptr ? composer : &m_composer) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("TAVRIN'S HELP"));
    setFixedSize(Px(6000), Px(3195));
    setModal(true);
    m_model.Testo(requestText);

    auto* info = new QLabel(this);
    m_info = info;
    info->setObjectName(QStringLiteral("lblInfo"));
    // A screen reader reads what it says, not only what it is.
    info->setAccessibleName(QStringLiteral("Why this window opened"));
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    info->setFont(font);
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setGeometry(Px(30), Px(120), Px(5925), Px(1935));

    auto* send = RedButton(QStringLiteral("Send"), this);
    send->setObjectName(QStringLiteral("cmdSend"));
    send->setAccessibleName(QStringLiteral("Send"));
    send->setGeometry(Px(90), Px(2640), Px(1485), Px(465));
    auto* cancel = RedButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    cancel->setGeometry(Px(4410), Px(2640), Px(1485), Px(465));

    connect(send, &QPushButton::clicked, this, &RequestDialog::Send);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    NameUncoveredWavelength({});
}

void RequestDialog::NameUncoveredWavelength(const std::string& wavelength) {
    m_model.UncoveredWavelength(wavelength);
    m_model.Load();
    const QString text = ToQt(m_model.InfoCaption()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_info->setText(text);
    m_info->setAccessibleDescription(text);
}

void RequestDialog::Send() {
    m_model.Send(*m_first, *m_second, *m_messages, m_clipboard);
    accept();
}

}  // namespace tavrin::ui
