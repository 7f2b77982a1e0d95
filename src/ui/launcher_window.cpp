#include "launcher_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "form/launcher.h"

namespace tavrin::ui {
namespace {

QFont Font(const QString& family, double points, bool bold, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QPushButton* LauncherButton(const char* name, const QString& caption, const QString& colour, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setFont(Font(QStringLiteral("Arial"), 14, true, QFont::SansSerif));
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: white; padding: 6px 18px; }").arg(colour));
    return button;
}

// A detector head seen from the front, drawn so that no picture file has to ship.
QPixmap HeadPicture() {
    QPixmap picture(160, 110);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(60, 60, 60));
    painter.drawRoundedRect(20, 10, 120, 90, 10, 10);
    painter.setBrush(QColor(20, 20, 20));
    painter.drawEllipse(QPointF(80, 55), 32, 32);
    painter.setBrush(QColor(0x80, 0, 0));
    painter.drawEllipse(QPointF(80, 55), 6, 6);
    return picture;
}

}  // namespace

LauncherWindow::LauncherWindow(std::filesystem::path programFolder, DocumentOpener& opener, MessageBoxService& messages,
                               std::function<bool()> startMainWindow, QWidget* parent)
    : QWidget(parent),
      m_programFolder(std::move(programFolder)),
      m_opener(&opener),
      m_messages(&messages),
      m_startMainWindow(std::move(startMainWindow)) {
    setObjectName(QStringLiteral("frmLanch"));
    setWindowTitle(QStringLiteral("Tavrin"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("CV-Tavrin"), this);
    title->setObjectName(QStringLiteral("lblTavrin"));
    title->setFont(Font(QStringLiteral("Courier New"), 28, true, QFont::TypeWriter));
    title->setStyleSheet(QStringLiteral("QLabel { color: #800000; }"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto* info = new QLabel(ToQt(LauncherIntroText()), this);
    info->setObjectName(QStringLiteral("lblInfo"));
    info->setAccessibleName(QStringLiteral("About CV-Tavrin"));
    info->setFont(Font(QStringLiteral("Verdana"), 12, false, QFont::SansSerif));
    info->setStyleSheet(QStringLiteral("QLabel { color: #FF0000; border: 1px solid black; padding: 6px; }"));
    info->setWordWrap(true);
    info->setMinimumWidth(480);
    layout->addWidget(info);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(HeadPicture());
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    auto* buttons = new QHBoxLayout;
    auto* start = LauncherButton("cmdTavrin", QStringLiteral("TAVRIN"), QStringLiteral("#800000"), this);
    auto* infoButton = LauncherButton("cmdInfo", QStringLiteral("INFO"), QStringLiteral("#808080"), this);
    auto* exit = LauncherButton("cmdExit", QStringLiteral("EXIT"), QStringLiteral("#800000"), this);
    buttons->addWidget(start);
    buttons->addStretch();
    buttons->addWidget(infoButton);
    buttons->addStretch();
    buttons->addWidget(exit);
    layout->addLayout(buttons);

    connect(start, &QPushButton::clicked, this, [this] {
        if (m_startMainWindow()) {
            close();
        } else {
            QApplication::exit(0);
        }
    });
    connect(infoButton, &QPushButton::clicked, this,
            [this] { OpenInformationText(m_programFolder, *m_opener, *m_messages); });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

}  // namespace tavrin::ui
