// The one drawing of the details chart, on a picture of its own: each kind
// leaves ink in the plot and in the legend, and a held stretch is drawn dashed.
#include <QImage>
#include <cmath>

#include "paint/chart_painter.h"
#include "paint/chart_style.h"
#include "ui_test_support.h"

namespace tavrin {
namespace {

using ui_test::ShotPath;

DetailsChart HeldThreshold() {
    DetailsChart chart;
    chart.kind = ChartKind::Threshold;
    chart.title = "TQ3-10A: damage threshold\nLaser peak 800 mJ/cm\u00B2 at 10 ns: 53 % of the threshold";
    chart.curveName = "Coating 2, damage threshold";
    chart.heldName = "Held or bridged";
    // Held at 1 J/cm² from 1 ps to 100 ps, then rising a decade every two.
    chart.curve = {CurveStretch{{{1e-12, 1.0}, {1e-10, 1.0}}, true},
                   CurveStretch{{{1e-10, 1.0}, {1e-8, 10.0}, {1e-4, 100.0}, {1.0, 1000.0}}, false}};
    chart.point.emplace(1e-8, 0.8);
    chart.meanPoint.emplace(1e-8, 0.4);
    chart.xMin = 1e-12;
    chart.xMax = 1;
    chart.yMin = 0.1;
    chart.yMax = 1000;
    chart.xTitle = "Pulse width";
    chart.yTitle = "Threshold";
    for (const auto& [value, label] :
         {std::pair{1e-12, "1 ps"}, {1e-9, "1 ns"}, {1e-6, "1 \u00B5s"}, {1e-3, "1 ms"}, {1.0, "1 s"}}) {
        chart.xTicks.push_back({value, label});
    }
    for (const auto& [value, label] :
         {std::pair{0.1, "100 mJ/cm\u00B2"}, {10.0, "10 J/cm\u00B2"}, {1000.0, "1 kJ/cm\u00B2"}}) {
        chart.yTicks.push_back({value, label});
    }
    return chart;
}

DetailsChart Bars(bool mean) {
    DetailsChart chart;
    chart.kind = ChartKind::Bars;
    chart.title = "PS-50: max power density, 127 % of the limit";
    chart.category = "Max power density";
    chart.laser = 636.6e3;
    chart.limit = 500e3;
    chart.laserName = mean ? "Laser peak: 636.6 kW/cm\u00B2" : "Laser: 636.6 kW/cm\u00B2";
    chart.limitName = "Head limit: 500 kW/cm\u00B2";
    if (mean) {
        chart.mean = 318.3e3;
        chart.meanName = "Laser mean: 318.3 kW/cm\u00B2";
    }
    chart.yMax = 800e3;
    for (int i = 0; i <= 4; ++i) {
        chart.yTicks.push_back({i * 200e3, std::to_string(i * 200) + " kW/cm\u00B2"});
    }
    return chart;
}

// Values no axis can show: a threshold of 0 and an infinite one inside the
// curve, a point at no pulse width; a bar past the axis and one of no value.
DetailsChart WithGaps(DetailsChart chart) {
    if (chart.kind == ChartKind::Threshold) {
        auto& points = chart.curve[1].points;
        points.insert(points.begin() + 2, {{1e-6, 0.0}, {1e-5, HUGE_VAL}});
        chart.meanPoint.emplace(0.0, 0.4);
    } else {
        chart.laser = HUGE_VAL;
        chart.mean = std::nan("");
    }
    return chart;
}

// How many pixels of the region are not white.
int Inked(const QImage& image, const QRectF& region) {
    int inked = 0;
    const QRect pixels = region.toAlignedRect().intersected(image.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            inked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return inked;
}

bool CurveBlue(QRgb pixel) {
    return qBlue(pixel) > qRed(pixel) + 60;
}

// Along a horizontal stretch of the curve at row `y`, from `from` to `to`:
// how many columns carry the curve's colour within a pixel of the row.
int BlueColumns(const QImage& image, double from, double to, double y) {
    int blue = 0;
    for (int x = static_cast<int>(from) + 4; x < static_cast<int>(to) - 4; ++x) {
        bool found = false;
        for (int dy = -1; dy <= 1; ++dy) {
            found = found || CurveBlue(image.pixel(x, static_cast<int>(std::lround(y)) + dy));
        }
        blue += found ? 1 : 0;
    }
    return blue;
}

TEST(ChartPainter, EveryKindInksItsPlotAndLegendUnderItsTitle) {
    struct Case {
        const char* name;
        DetailsChart chart;
        QSize size;
    };
    const Case cases[] = {
        {"chart-threshold-held", HeldThreshold(), {800, 500}},
        {"chart-bars-mean", Bars(true), {800, 500}},
        {"chart-cw", Bars(false), {800, 500}},
        {"chart-threshold-narrow", HeldThreshold(), {300, 260}},
        {"chart-threshold-gap", WithGaps(HeldThreshold()), {800, 500}},
        {"chart-bars-beyond", WithGaps(Bars(true)), {800, 500}},
    };
    for (const Case& c : cases) {
        QImage image(c.size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter painter(&image);
        const QRectF area(QPointF(0, 0), c.size);
        const paint::ChartRegions regions = paint::ChartRegionsOf(painter, area, c.chart);
        paint::PaintChart(painter, area, c.chart);
        painter.end();
        image.save(ShotPath(c.name) + QStringLiteral(".png"));

        EXPECT_EQ(Inked(image, QRectF(0, 0, c.size.width(), 2)), 0) << c.name << ": the area is painted white";
        ASSERT_FALSE(regions.plot.isEmpty()) << c.name;
        ASSERT_FALSE(regions.legend.isEmpty()) << c.name;
        EXPECT_LE(regions.title.bottom(), regions.plot.top()) << c.name;
        EXPECT_LE(regions.plot.bottom(), regions.legend.top()) << c.name << ": the legend stays under the plot";
        EXPECT_LE(regions.legend.bottom(), area.bottom()) << c.name << ": the legend is never cut";
        EXPECT_GE(regions.plot.height(), 40) << c.name;
        EXPECT_GT(Inked(image, regions.title), 50) << c.name;
        EXPECT_GT(Inked(image, regions.plot.adjusted(2, 2, -2, -2)), 200) << c.name;
        EXPECT_GT(Inked(image, regions.legend), 100) << c.name;
    }
}

// The held stretch from 1 ps to 100 ps is dashed: the curve's colour with gaps
// along it, where the solid stretch carries it all the way.
TEST(ChartPainter, AHeldStretchIsDashedAndTheRestSolid) {
    const DetailsChart held = HeldThreshold();
    DetailsChart solid = held;
    solid.curve[0].held = false;
    const auto draw = [](const DetailsChart& chart, paint::ChartRegions& regions) {
        QImage image(800, 500, QImage::Format_RGB32);
        QPainter painter(&image);
        regions = paint::ChartRegionsOf(painter, image.rect(), chart);
        paint::PaintChart(painter, image.rect(), chart);
        return image;
    };
    paint::ChartRegions regions;
    const QImage dashed = draw(held, regions);
    const QImage whole = draw(solid, regions);
    const QRectF& plot = regions.plot;
    // 1 J/cm² lies one decade above 0.1 J/cm² of four; 100 ps two decades from 1 ps of twelve.
    const double y = plot.bottom() - plot.height() / 4;
    const double end = plot.left() + plot.width() * 2 / 12;
    const int length = static_cast<int>(end - plot.left()) - 8;
    EXPECT_GE(BlueColumns(whole, plot.left(), end, y), length - 2) << "solid when not held";
    const int blue = BlueColumns(dashed, plot.left(), end, y);
    EXPECT_GT(blue, length / 4) << "the held stretch is drawn";
    EXPECT_LT(blue, length * 9 / 10) << "with gaps";
    EXPECT_TRUE(
        CurveBlue(dashed.pixel(static_cast<int>(plot.right()) - 3, static_cast<int>(std::lround(plot.top())) + 1)) ||
        CurveBlue(dashed.pixel(static_cast<int>(plot.right()) - 3, static_cast<int>(std::lround(plot.top())) + 2)))
        << "the solid stretch reaches 1 kJ/cm² at 1 s";
    // The operating point's square, in the laser's colour, at 10 ns and 800 mJ/cm².
    const double px = plot.left() + plot.width() * 4 / 12;
    const double py = plot.bottom() - plot.height() * (std::log10(0.8) + 1) / 4;
    EXPECT_EQ(dashed.pixel(static_cast<int>(px), static_cast<int>(py)) & 0xFFFFFF, paint::kLaserColour);
}

}  // namespace
}  // namespace tavrin
