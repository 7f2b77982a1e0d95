#include "window_style.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace tavrin::ui {
namespace {

class FittingScrollArea final : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    // All of the content, where QScrollArea's own hint stops at a few dozen lines.
    [[nodiscard]] QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget() != nullptr ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
    [[nodiscard]] QSize minimumSizeHint() const override {
        const int bar = verticalScrollBar()->sizeHint().width();
        return {4 * bar, 4 * bar};
    }
};

}  // namespace

QWidget* ScrollingPane(const char* name, QWidget* content) {
    auto* pane = new FittingScrollArea;
    pane->setObjectName(QString::fromLatin1(name));
    pane->setFrameShape(QFrame::NoFrame);
    pane->setWidgetResizable(true);
    pane->setWidget(content);
    pane->setFocusPolicy(Qt::NoFocus);
    return pane;
}

QFont Font(const QString& family, double points, bool bold, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A dark red banner with a centred caption, as every section of the window has.
QLabel* SectionHeader(const char* name, const QString& caption, QWidget* parent) {
    auto* header = new QLabel(caption, parent);
    header->setObjectName(QString::fromLatin1(name));
    header->setAccessibleName(caption);
    header->setAlignment(Qt::AlignCenter);
    header->setFont(Font(QStringLiteral("Arial"), 12, true));
    header->setAutoFillBackground(true);
    header->setStyleSheet(
        QStringLiteral("QLabel { background-color: %1; color: palette(highlighted-text); padding: 2px; }")
            .arg(QColor(kMakerRed).name()));
    return header;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

QPushButton* LauncherButton(const char* name, const QString& caption, const QString& colour, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setFont(Font(QStringLiteral("Arial"), 14, true, QFont::SansSerif));
    button->setAutoDefault(true);  // Enter presses the focused button, as Space does
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: white; padding: 6px 18px; }").arg(colour));
    return button;
}

// The maker's mark: drawn here so that no picture file has to ship.
QPixmap MakerPicture() {
    QPixmap picture(120, 44);
    picture.fill(QColor(kMakerRed));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.setFont(Font(QStringLiteral("Arial"), 13, true));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("CORVANE"));
    return picture;
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
    painter.setBrush(QColor(kMakerRed));
    painter.drawEllipse(QPointF(80, 55), 6, 6);
    return picture;
}

}  // namespace tavrin::ui
