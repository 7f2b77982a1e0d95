#include "chart_legend.h"

#include <QPainter>
#include <algorithm>

namespace tavrin::ui {
namespace {

constexpr int kGap = 6;       // between a mark and its text
constexpr int kSpacing = 16;  // between two entries on a line
constexpr int kLeading = 4;   // between two lines

int MarkSize(const QFontMetrics& metrics) {
    return metrics.height();
}

// The text's box when it has `room` across, wrapped at word boundaries.
QSize TextSize(const QFontMetrics& metrics, const QString& text, int room) {
    return metrics.boundingRect(QRect(0, 0, std::max(room, 1), 100000), Qt::TextWordWrap, text).size();
}

void PaintMark(QPainter& painter, const LegendEntry& entry, const QRect& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (entry.mark) {
        case LegendEntry::Mark::Line:
            painter.setPen(entry.pen);
            painter.drawLine(box.left(), box.center().y(), box.right(), box.center().y());
            break;
        case LegendEntry::Mark::Square:
        case LegendEntry::Mark::Bar:
            painter.setPen(entry.pen);
            painter.setBrush(entry.brush);
            painter.drawRect(box.adjusted(2, 2, -2, -2));
            break;
        case LegendEntry::Mark::Circle:
            painter.setPen(entry.pen);
            painter.setBrush(entry.brush);
            painter.drawEllipse(box.adjusted(2, 2, -2, -2));
            break;
    }
    painter.restore();
}

}  // namespace

std::vector<QRect> LayOutLegend(const std::vector<LegendEntry>& entries, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    const int mark = MarkSize(metrics);
    std::vector<QRect> boxes;
    int x = 0;
    int y = 0;
    int lineHeight = 0;
    for (const LegendEntry& entry : entries) {
        const int whole = mark + kGap + metrics.horizontalAdvance(entry.text);
        if (x > 0 && x + whole > width) {
            x = 0;
            y += lineHeight + kLeading;
            lineHeight = 0;
        }
        const QSize text = TextSize(metrics, entry.text, std::min(whole, width) - mark - kGap);
        const QRect box(x, y, mark + kGap + text.width(), std::max(mark, text.height()));
        boxes.push_back(box);
        x += box.width() + kSpacing;
        lineHeight = std::max(lineHeight, box.height());
    }
    return boxes;
}

int LegendHeight(const std::vector<LegendEntry>& entries, const QFont& font, int width) {
    int bottom = 0;
    for (const QRect& box : LayOutLegend(entries, font, width)) {
        bottom = std::max(bottom, box.bottom() + 1);
    }
    return bottom;
}

void PaintLegend(QPainter& painter, const QRect& area, const std::vector<LegendEntry>& entries, const QFont& font) {
    const QFontMetrics metrics(font);
    const int mark = MarkSize(metrics);
    const std::vector<QRect> boxes = LayOutLegend(entries, font, area.width());
    painter.save();
    painter.setFont(font);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QRect box = boxes[i].translated(area.topLeft());
        PaintMark(painter, entries[i], QRect(box.left(), box.top(), mark, mark));
        painter.setPen(Qt::black);
        painter.drawText(QRect(box.left() + mark + kGap, box.top(), box.width() - mark - kGap, box.height()),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, entries[i].text);
    }
    painter.restore();
}

ChartLegend::ChartLegend(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ChartLegend::SetEntries(std::vector<LegendEntry> entries) {
    m_entries = std::move(entries);
    updateGeometry();
    update();
}

int ChartLegend::heightForWidth(int width) const {
    return LegendHeight(m_entries, font(), width);
}

QSize ChartLegend::sizeHint() const {
    return {200, heightForWidth(std::max(width(), 200))};
}

QSize ChartLegend::minimumSizeHint() const {
    return {100, 0};
}

void ChartLegend::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PaintLegend(painter, rect(), m_entries, font());
}

}  // namespace tavrin::ui
