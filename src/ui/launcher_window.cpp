#include "launcher_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop_program.h"
#include "form/launcher.h"
#include "window_style.h"

namespace tavrin::ui {

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
    title->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(QColor(kMakerRed).name()));
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
    auto* start = LauncherButton("cmdTavrin", QStringLiteral("TAVRIN"), QColor(kMakerRed).name(), this);
    auto* infoButton = LauncherButton("cmdInfo", QStringLiteral("INFO"), QStringLiteral("#808080"), this);
    auto* exit = LauncherButton("cmdExit", QStringLiteral("EXIT"), QColor(kMakerRed).name(), this);
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
            QApplication::exit(kCatalogueMissingExit);
        }
    });
    connect(infoButton, &QPushButton::clicked, this,
            [this] { OpenInformationText(m_programFolder, *m_opener, *m_messages); });
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

}  // namespace tavrin::ui
