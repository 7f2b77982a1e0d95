#include "chart_painter.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "chart_legend_layout.h"
#include "chart_style.h"

namespace tavrin::paint {
namespace {

constexpr double kMargin = 8;      // around the chart, in screen pixels
constexpr double kTickGap = 4;     // between an axis and its labels
constexpr double kCurveWidth = 2;  // the threshold curve's pen
constexpr double kPointSize = 11;  // the operating point's square
constexpr double kMeanSize = 9;    // the mean's circle
constexpr double kMinPlot = 40;    // the plot is never squeezed below this

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One pixel of a screen at 96 dots an inch, in the painter's own units: a
// page of 1200 dots an inch takes 12.5, a painter that has scaled its
// drawing up takes less.
double UnitOf(const QPainter& painter) {
    const double dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96;
    const double scale = std::sqrt(std::abs(painter.combinedTransform().determinant()));
    return dpi / 96.0 / (scale > 0 ? scale : 1.0);
}

// The painter's font at its point size on this device, in the painter's units.
QFont FontOf(const QPainter& painter, double unit, double factor, bool bold) {
    QFont font = painter.font();
    double points = font.pointSizeF();
    if (points <= 0) {
        const double dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96;
        points = font.pixelSize() * 72.0 / dpi;
    }
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * factor * 96.0 / 72.0 * unit))));
    font.setBold(bold);
    return font;
}

std::vector<LegendEntry> LegendOf(const DetailsChart& chart, double unit) {
    using Mark = LegendEntry::Mark;
    std::vector<LegendEntry> entries;
    switch (chart.kind) {
        case ChartKind::Threshold: {
            const QPen solid(QColor(kCurveColour), kCurveWidth * unit);
            if (!chart.curve.empty()) {
                entries.push_back({Mark::Line, solid, {}, Text(chart.curveName)});
            }
            if (std::any_of(chart.curve.begin(), chart.curve.end(), [](const auto& s) { return s.held; })) {
                QPen dashed = solid;
                dashed.setStyle(Qt::DashLine);
                entries.push_back({Mark::Line, dashed, {}, Text(chart.heldName)});
            }
            if (chart.point) {
                entries.push_back({Mark::Square, QPen(Qt::black, unit), QColor(kLaserColour),
                                   chart.meanPoint ? QStringLiteral("Laser peak") : QStringLiteral("Laser")});
            }
            if (chart.meanPoint) {
                entries.push_back(
                    {Mark::Circle, QPen(QColor(kLaserColour), unit), QBrush(Qt::white), QStringLiteral("Laser mean")});
            }
            break;
        }
        case ChartKind::Bars:
            if (chart.laserName.empty()) {
                break;
            }
            entries.push_back({Mark::Bar, QPen(Qt::NoPen), QColor(kLaserColour), Text(chart.laserName)});
            if (chart.mean) {
                entries.push_back({Mark::Bar, QPen(Qt::NoPen), MeanBarBrush(), Text(chart.meanName)});
            }
            entries.push_back({Mark::Bar, QPen(QColor(kCurveColour), unit), LimitBarBrush(), Text(chart.limitName)});
            break;
        case ChartKind::None:
            break;
    }
    return entries;
}

// Everything the drawing needs, worked out once for a painter and an area.
struct Layout {
    double unit = 1;
    QFont titleFont;
    QFont textFont;
    std::vector<LegendEntry> legend;
    ChartRegions regions;
    bool axes = false;
};

double TickLabelWidth(const std::vector<AxisTick>& ticks, const QFontMetricsF& metrics) {
    double widest = 0;
    for (const AxisTick& tick : ticks) {
        widest = std::max(widest, metrics.horizontalAdvance(Text(tick.label)));
    }
    return widest;
}

Layout LayOut(QPainter& painter, const QRectF& area, const DetailsChart& chart) {
    Layout layout;
    layout.unit = UnitOf(painter);
    const double unit = layout.unit;
    layout.titleFont = FontOf(painter, unit, 1.1, true);
    layout.textFont = FontOf(painter, unit, 1.0, false);
    layout.legend = LegendOf(chart, unit);
    const QFontMetricsF titleMetrics(layout.titleFont, painter.device());
    const QFontMetricsF textMetrics(layout.textFont, painter.device());
    const QRectF inner = area.adjusted(kMargin * unit, kMargin * unit, -kMargin * unit, -kMargin * unit);
    const double titleHeight = titleMetrics
                                   .boundingRect(QRectF(0, 0, std::max(inner.width(), 1.0), 1e9),
                                                 Qt::TextWordWrap | Qt::AlignHCenter, Text(chart.title))
                                   .height();
    layout.regions.title = QRectF(inner.left(), inner.top(), inner.width(), titleHeight);
    double bottom = inner.bottom();
    if (!layout.legend.empty()) {
        const double height = LegendHeight(layout.legend, textMetrics, inner.width(), unit);
        layout.regions.legend = QRectF(inner.left(), bottom - height, inner.width(), height);
        bottom -= height + kMargin * unit;
    }
    layout.axes = chart.kind == ChartKind::Threshold || (chart.kind == ChartKind::Bars && !chart.laserName.empty());
    if (!layout.axes) {
        return layout;
    }
    const double line = textMetrics.height();
    const bool xTitled = !chart.xTitle.empty();
    const bool yTitled = !chart.yTitle.empty();
    const double left = inner.left() + (yTitled ? line + kTickGap * unit : 0) +
                        TickLabelWidth(chart.yTicks, textMetrics) + 2 * kTickGap * unit;
    // Room on the right for half the last tick's label.
    const double right =
        inner.right() - (chart.xTicks.empty() ? 0 : textMetrics.horizontalAdvance(Text(chart.xTicks.back().label)) / 2);
    const double plotBottom = bottom - line - kTickGap * unit - (xTitled ? line + kTickGap * unit : 0);
    const double top = layout.regions.title.bottom() + kMargin * unit + line / 2;
    layout.regions.plot = QRectF(QPointF(left, top), QPointF(std::max(right, left + kMinPlot * unit),
                                                             std::max(plotBottom, top + kMinPlot * unit)));
    return layout;
}

bool Plottable(double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && x > 0 && y > 0;
}

// Where a value lies along the plot, from 0 at the low end to 1 at the high end.
double Fraction(double value, double low, double high, bool logarithmic) {
    if (logarithmic) {
        return (std::log10(value) - std::log10(low)) / (std::log10(high) - std::log10(low));
    }
    return (value - low) / (high - low);
}

struct Axes {
    QRectF plot;
    const DetailsChart* chart;
    bool logarithmic;
    [[nodiscard]] double X(double value) const {
        return plot.left() + Fraction(value, chart->xMin, chart->xMax, logarithmic) * plot.width();
    }
    [[nodiscard]] double Y(double value) const {
        return plot.bottom() - Fraction(value, chart->yMin, chart->yMax, logarithmic) * plot.height();
    }
    [[nodiscard]] QPointF At(double x, double y) const { return {X(x), Y(y)}; }
};

// The grid, the frame, the tick labels and the axes' titles.
void PaintAxes(QPainter& painter, const Layout& layout, const Axes& axes, const DetailsChart& chart,
               const QString& category) {
    const double unit = layout.unit;
    const QRectF& plot = layout.regions.plot;
    const QFontMetricsF metrics(layout.textFont, painter.device());
    const double line = metrics.height();
    painter.setFont(layout.textFont);
    painter.setPen(QPen(QColor(kGridColour), unit));
    for (const AxisTick& tick : chart.yTicks) {
        const double y = axes.Y(tick.value);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    for (const AxisTick& tick : chart.xTicks) {
        const double x = axes.X(tick.value);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter.setPen(QPen(QColor(kFrameColour), unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    painter.setPen(Qt::black);
    const double gap = kTickGap * unit;
    for (const AxisTick& tick : chart.yTicks) {
        const double y = axes.Y(tick.value);
        painter.drawText(
            QRectF(layout.regions.title.left(), y - line / 2, plot.left() - gap - layout.regions.title.left(), line),
            Qt::AlignRight | Qt::AlignVCenter, Text(tick.label));
    }
    const double labelTop = plot.bottom() + gap;
    for (const AxisTick& tick : chart.xTicks) {
        const double x = axes.X(tick.value);
        const double width = metrics.horizontalAdvance(Text(tick.label)) + 2;
        painter.drawText(QRectF(x - width / 2, labelTop, width, line), Qt::AlignCenter, Text(tick.label));
    }
    if (!category.isEmpty()) {
        painter.drawText(QRectF(plot.left(), labelTop, plot.width(), line), Qt::AlignCenter, category);
    }
    if (!chart.xTitle.empty()) {
        painter.drawText(QRectF(plot.left(), labelTop + line + gap, plot.width(), line), Qt::AlignCenter,
                         Text(chart.xTitle));
    }
    if (!chart.yTitle.empty()) {
        painter.save();
        painter.translate(layout.regions.title.left(), plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter, Text(chart.yTitle));
        painter.restore();
    }
}

void PaintThreshold(QPainter& painter, const Layout& layout, const DetailsChart& chart) {
    const Axes axes{layout.regions.plot, &chart, true};
    if (!(chart.xMin > 0 && chart.xMax > chart.xMin && chart.yMin > 0 && chart.yMax > chart.yMin)) {
        return;
    }
    PaintAxes(painter, layout, axes, chart, {});
    const double unit = layout.unit;
    painter.save();
    painter.setClipRect(
        layout.regions.plot.adjusted(-kPointSize * unit, -kPointSize * unit, kPointSize * unit, kPointSize * unit));
    painter.setBrush(Qt::NoBrush);
    for (const CurveStretch& stretch : chart.curve) {
        QPen pen(QColor(kCurveColour), kCurveWidth * unit);
        pen.setStyle(stretch.held ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        // A point a log axis cannot show breaks the line rather than bend it.
        QPainterPath path;
        bool drawing = false;
        for (const auto& [x, y] : stretch.points) {
            if (!Plottable(x, y)) {
                drawing = false;
                continue;
            }
            drawing ? path.lineTo(axes.At(x, y)) : path.moveTo(axes.At(x, y));
            drawing = true;
        }
        painter.drawPath(path);
    }
    if (chart.meanPoint && Plottable(chart.meanPoint->first, chart.meanPoint->second)) {
        const double size = kMeanSize * unit;
        painter.setPen(QPen(QColor(kLaserColour), 1.5 * unit));
        painter.setBrush(Qt::white);
        const QPointF at = axes.At(chart.meanPoint->first, chart.meanPoint->second);
        painter.drawEllipse(QRectF(at.x() - size / 2, at.y() - size / 2, size, size));
    }
    if (chart.point && Plottable(chart.point->first, chart.point->second)) {
        const double size = kPointSize * unit;
        painter.setPen(QPen(Qt::black, unit));
        painter.setBrush(QColor(kLaserColour));
        const QPointF at = axes.At(chart.point->first, chart.point->second);
        painter.drawRect(QRectF(at.x() - size / 2, at.y() - size / 2, size, size));
    }
    painter.restore();
}

void PaintBars(QPainter& painter, const Layout& layout, const DetailsChart& chart) {
    if (!(chart.yMax > chart.yMin)) {
        return;
    }
    const Axes axes{layout.regions.plot, &chart, false};
    PaintAxes(painter, layout, axes, chart, Text(chart.category));
    struct Bar {
        double value;
        QBrush brush;
        QPen pen;
    };
    const double unit = layout.unit;
    std::vector<Bar> bars{{chart.laser, QColor(kLaserColour), Qt::NoPen}};
    if (chart.mean) {
        bars.push_back({*chart.mean, MeanBarBrush(), Qt::NoPen});
    }
    bars.push_back({chart.limit, LimitBarBrush(), QPen(QColor(kCurveColour), unit)});
    const QRectF& plot = layout.regions.plot;
    const double width = plot.width() * 0.6 / static_cast<double>(bars.size());
    double left = plot.center().x() - width * static_cast<double>(bars.size()) / 2;
    painter.save();
    painter.setClipRect(plot);
    for (const Bar& bar : bars) {
        if (std::isnan(bar.value)) {
            left += width;
            continue;
        }
        // A value beyond the axis reaches its top, rather than past the frame.
        const double top = std::clamp(axes.Y(bar.value), plot.top(), plot.bottom());
        painter.setPen(bar.pen);
        painter.setBrush(bar.brush);
        painter.drawRect(QRectF(QPointF(left, top), QPointF(left + width, plot.bottom())));
        left += width;
    }
    painter.restore();
}

}  // namespace

ChartRegions ChartRegionsOf(QPainter& painter, const QRectF& area, const DetailsChart& chart) {
    return LayOut(painter, area, chart).regions;
}

void PaintChart(QPainter& painter, const QRectF& area, const DetailsChart& chart) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(area, Qt::white);
    const Layout layout = LayOut(painter, area, chart);
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setFont(layout.titleFont);
    painter.setPen(Qt::black);
    painter.drawText(layout.regions.title, Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop, Text(chart.title));
    switch (chart.kind) {
        case ChartKind::Threshold:
            PaintThreshold(painter, layout, chart);
            break;
        case ChartKind::Bars:
            if (layout.axes) {
                PaintBars(painter, layout, chart);
            }
            break;
        case ChartKind::None:
            break;
    }
    painter.setFont(layout.textFont);
    PaintLegend(painter, layout.regions.legend, layout.legend, layout.unit);
    painter.restore();
}

}  // namespace tavrin::paint
