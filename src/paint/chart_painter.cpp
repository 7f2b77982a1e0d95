#include "chart_painter.h"

#include <QPainter>

namespace tavrin::paint {

void PaintChart(QPainter& painter, const QRectF& area, const DetailsChart& chart) {
    painter.save();
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, QString::fromStdString(chart.title));
    painter.restore();
}

}  // namespace tavrin::paint
