#include "window_style.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace tavrin::ui {
namespace {

class FittingScrollArea final : public QScrollArea {
public:
    explicit FittingScrollArea(PaneWidth width) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setSizePolicy(width == PaneWidth::OfContent ? QSizePolicy::Preferred : QSizePolicy::Expanding,
                      QSizePolicy::Expanding);
    }

    // All of the content, where QScrollArea's own hint stops at a few dozen
    // lines, with room for the vertical scroll bar.
    [[nodiscard]] QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget() != nullptr ? widget()->sizeHint() + QSize(frame + Bar(), frame) : QScrollArea::sizeHint();
    }
    // As narrow as the content allows and no narrower, so that nothing is
    // cut at the side; as low as a few lines.
    [[nodiscard]] QSize minimumSizeHint() const override {
        const int least = widget() != nullptr ? widget()->minimumSizeHint().width() : 0;
        return {std::max(least + 2 * frameWidth() + Bar(), 4 * Bar()), 4 * Bar()};
    }

    // The content's least width can change (a row shown, a longer text):
    // the pane's own hints follow it.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget() && event->type() == QEvent::LayoutRequest) {
            updateGeometry();
        }
        return QScrollArea::eventFilter(watched, event);
    }

private:
    [[nodiscard]] int Bar() const { return verticalScrollBar()->sizeHint().width(); }
};

}  // namespace

QWidget* ScrollingPane(const char* name, QWidget* content, PaneWidth width) {
    auto* pane = new FittingScrollArea(width);
    pane->setObjectName(QString::fromLatin1(name));
    pane->setFrameShape(QFrame::NoFrame);
    pane->setWidgetResizable(true);
    pane->setWidget(content);
    content->installEventFilter(pane);
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
    button->setAccessibleName(QString(caption).remove(QRegularExpression(QStringLiteral("&(?!&)"))));
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
