#include "chart_view.h"

#include <QPainter>

#include "paint/chart_painter.h"

namespace tavrin::ui {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reached with Tab, so that a screen reader reads what the chart shows.
    setFocusPolicy(Qt::StrongFocus);
}

void ChartView::SetChart(DetailsChart chart) {
    m_chart = std::move(chart);
    update();
}

QSize ChartView::sizeHint() const {
    return {480, 320};
}

void ChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font());
    paint::PaintChart(painter, rect(), m_chart);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

}  // namespace tavrin::ui
