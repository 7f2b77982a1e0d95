#include "chart_legend_layout.h"

#include <QPainter>
#include <algorithm>

namespace tavrin::paint {
namespace {

constexpr double kGap = 6;       // between a mark and its text
constexpr double kSpacing = 16;  // between two entries on a line
constexpr double kLeading = 4;   // between two lines

// The text's box when it has `room` across, wrapped at word boundaries.
QSizeF TextSize(const QFontMetricsF& metrics, const QString& text, double room) {
    return metrics.boundingRect(QRectF(0, 0, std::max(room, 1.0), 1e9), Qt::TextWordWrap, text).size();
}

void PaintMark(QPainter& painter, const LegendEntry& entry, const QRectF& box, double unit) {
    painter.save();
    painter.setPen(entry.pen);
    painter.setBrush(entry.brush);
    const QRectF inner = box.adjusted(2 * unit, 2 * unit, -2 * unit, -2 * unit);
    switch (entry.mark) {
        case LegendEntry::Mark::Line:
            painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
            break;
        case LegendEntry::Mark::Square:
        case LegendEntry::Mark::Bar:
            painter.drawRect(inner);
            break;
        case LegendEntry::Mark::Circle:
            painter.drawEllipse(inner);
            break;
    }
    painter.restore();
}

// A line's mark is wider, so that a dashed line shows its dashes.
double MarkWidth(const LegendEntry& entry, const QFontMetricsF& metrics) {
    return entry.mark == LegendEntry::Mark::Line ? 2 * metrics.height() : metrics.height();
}

}  // namespace

std::vector<QRectF> LayOutLegend(const std::vector<LegendEntry>& entries, const QFontMetricsF& metrics, double width,
                                 double unit) {
    std::vector<QRectF> boxes;
    double x = 0;
    double y = 0;
    double lineHeight = 0;
    for (const LegendEntry& entry : entries) {
        const double mark = MarkWidth(entry, metrics) + kGap * unit;
        const double whole = mark + metrics.horizontalAdvance(entry.text);
        if (x > 0 && x + whole > width) {
            x = 0;
            y += lineHeight + kLeading * unit;
            lineHeight = 0;
        }
        const QSizeF text = TextSize(metrics, entry.text, std::min(whole, width) - mark);
        const QRectF box(x, y, mark + text.width(), std::max(metrics.height(), text.height()));
        boxes.push_back(box);
        x += box.width() + kSpacing * unit;
        lineHeight = std::max(lineHeight, box.height());
    }
    return boxes;
}

double LegendHeight(const std::vector<LegendEntry>& entries, const QFontMetricsF& metrics, double width, double unit) {
    double bottom = 0;
    for (const QRectF& box : LayOutLegend(entries, metrics, width, unit)) {
        bottom = std::max(bottom, box.bottom());
    }
    return bottom;
}

void PaintLegend(QPainter& painter, const QRectF& area, const std::vector<LegendEntry>& entries, double unit) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const std::vector<QRectF> boxes = LayOutLegend(entries, metrics, area.width(), unit);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QRectF box = boxes[i].translated(area.topLeft());
        const double mark = MarkWidth(entries[i], metrics);
        PaintMark(painter, entries[i], QRectF(box.left(), box.top(), mark, metrics.height()), unit);
        painter.setPen(Qt::black);
        const double textLeft = box.left() + mark + kGap * unit;
        painter.drawText(QRectF(textLeft, box.top(), box.right() - textLeft, box.height()),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, entries[i].text);
    }
}

}  // namespace tavrin::paint
