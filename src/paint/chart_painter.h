#pragma once

#include <QRectF>

#include "form/details_area.h"

class QPainter;

namespace tavrin::paint {

// Draws the details area's chart into `area` of any paint device: the
// window's widget, a saved picture, a page. A threshold chart is a log-log
// plot of the coating's damage threshold, solid where the coating table has
// points and dashed where a value is held or bridged, with the laser's
// operating point(s); a bars chart sets the laser's value against the head's
// limit (and the mean under a peak). The title is drawn above the plot, the
// legend under it, wrapped to the width and never cut. Text takes the
// painter's font family and point size; sizes follow the device's resolution
// and the painter's transformation, so a page and a screen read alike.
void PaintChart(QPainter& painter, const QRectF& area, const DetailsChart& chart);

// Where PaintChart puts the title, the plot's frame and the legend in `area`
// (an empty rectangle for a part the chart does not have).
struct ChartRegions {
    QRectF title;
    QRectF plot;
    QRectF legend;
};
ChartRegions ChartRegionsOf(QPainter& painter, const QRectF& area, const DetailsChart& chart);

}  // namespace tavrin::paint
