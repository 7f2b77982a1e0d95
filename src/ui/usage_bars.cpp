#include "usage_bars.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "qt_services.h"

namespace tavrin::ui {
namespace {

// A palette that colour-blind readers tell apart.
constexpr QRgb kWithin = 0x0072B2;    // blue
constexpr QRgb kTightest = 0xE69F00;  // orange
constexpr QRgb kBeyond = 0xD55E00;    // vermilion

constexpr int kGap = 6;

QString TextOf(const UsageBar& bar) {
    return ToQt(bar.text) + (bar.tightest ? QStringLiteral(" \u25C0") : QString());
}

QBrush BrushOf(const UsageBar& bar) {
    if (bar.beyond) {
        return {QColor(kBeyond), Qt::DiagCrossPattern};
    }
    if (bar.tightest) {
        return {QColor(kTightest), Qt::BDiagPattern};
    }
    return {QColor(kWithin), Qt::SolidPattern};
}

}  // namespace

UsageBars::UsageBars(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Usage of each limit"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setFocusPolicy(Qt::StrongFocus);
}

void UsageBars::SetBars(std::vector<UsageBar> bars) {
    m_bars = std::move(bars);
    m_current = m_bars.empty() ? -1 : std::clamp(m_current, 0, static_cast<int>(m_bars.size()) - 1);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    updateGeometry();
    update();
}

QRect UsageBars::RowRect(int row) const {
    return {0, row * RowHeight(), width(), RowHeight()};
}

void UsageBars::SetCurrentRow(int row) {
    if (m_bars.empty()) {
        return;
    }
    m_current = std::clamp(row, 0, static_cast<int>(m_bars.size()) - 1);
    update();
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(m_current);
        QAccessible::updateAccessibility(&focus);
    }
}

void UsageBars::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            SetCurrentRow(m_current - 1);
            break;
        case Qt::Key_Down:
            SetCurrentRow(m_current + 1);
            break;
        case Qt::Key_Home:
            SetCurrentRow(0);
            break;
        case Qt::Key_End:
            SetCurrentRow(static_cast<int>(m_bars.size()) - 1);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

// Coming in, the reader hears the row the arrows are on.
void UsageBars::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    SetCurrentRow(std::max(m_current, 0));
}

void UsageBars::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

// A column as wide as the widest of its texts in bold, the way the tightest
// bar is written, and never narrower than `least`.
int UsageBars::ColumnWidth(const QString& least, const std::function<QString(const UsageBar&)>& textOf) const {
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = metrics.horizontalAdvance(least);
    for (const UsageBar& bar : m_bars) {
        widest = std::max(widest, metrics.horizontalAdvance(textOf(bar)));
    }
    return widest + kGap;
}

int UsageBars::CaptionWidth() const {
    return ColumnWidth(QStringLiteral("Max power density"), [](const UsageBar& bar) { return ToQt(bar.caption); });
}

// The tightest's mark included, so that "does not match" is never cut.
int UsageBars::TextWidth() const {
    return ColumnWidth(QStringLiteral("100 % \u25C0"), TextOf);
}

int UsageBars::RowHeight() const {
    return fontMetrics().height() + 6;
}

QSize UsageBars::sizeHint() const {
    return {CaptionWidth() + 100 + TextWidth(),
            RowHeight() * static_cast<int>(std::max<std::size_t>(m_bars.size(), 1))};
}

QSize UsageBars::minimumSizeHint() const {
    return {CaptionWidth() + 60 + TextWidth(), sizeHint().height()};
}

void UsageBars::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const int rowHeight = RowHeight();
    const int captionWidth = CaptionWidth();
    const int textWidth = TextWidth();
    const int barWidth = std::max(width() - captionWidth - textWidth, 10);
    int top = 0;
    for (const UsageBar& bar : m_bars) {
        QFont font = painter.font();
        font.setBold(bar.tightest || bar.beyond);
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect caption(0, top, captionWidth - kGap, rowHeight);
        painter.drawText(caption, Qt::AlignVCenter | Qt::AlignRight, ToQt(bar.caption));
        const QRect frame(captionWidth, top + 3, barWidth, rowHeight - 6);
        if (bar.share) {
            const double filled = std::clamp(*bar.share, 0.0, 1.0);
            const int length = std::isnan(*bar.share) ? 0 : static_cast<int>(filled * frame.width());
            painter.fillRect(QRect(frame.left(), frame.top(), length, frame.height()), BrushOf(bar));
            painter.setPen(QColor(Qt::black));
            painter.drawRect(frame);
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(frame.right() + kGap, top, textWidth - kGap, rowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft, TextOf(bar));
        top += rowHeight;
    }
    if (hasFocus() && m_current >= 0) {
        QPen pen(palette().color(QPalette::Highlight), 2);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(RowRect(m_current).adjusted(1, 1, -1, -1));
    }
}

}  // namespace tavrin::ui
