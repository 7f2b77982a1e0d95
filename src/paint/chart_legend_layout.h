#pragma once

#include <QBrush>
#include <QFontMetricsF>
#include <QPen>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace tavrin::paint {

// One entry of a chart's legend: how its series is drawn, and its text.
struct LegendEntry {
    enum class Mark { Line, Square, Circle, Bar };
    Mark mark = Mark::Line;
    QPen pen;
    QBrush brush;
    QString text;
};

// The entries laid out in lines across `width`: each after the last while it
// fits, on a new line when it does not, its text wrapped when it is wider
// than a whole line; nothing is ever cut short. The box of each entry, from
// the top left corner; `unit` is a pixel of a screen in the painter's units.
std::vector<QRectF> LayOutLegend(const std::vector<LegendEntry>& entries, const QFontMetricsF& metrics, double width,
                                 double unit);
// The height the entries take across `width`.
double LegendHeight(const std::vector<LegendEntry>& entries, const QFontMetricsF& metrics, double width, double unit);
void PaintLegend(QPainter& painter, const QRectF& area, const std::vector<LegendEntry>& entries, double unit);

}  // namespace tavrin::paint
