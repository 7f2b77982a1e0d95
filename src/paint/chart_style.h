#pragma once

#include <QBrush>
#include <QColor>

// The colours the charts are drawn in, wherever they are drawn: the
// colour-blind safe blue for what the head stands and vermilion for the laser.
namespace tavrin::paint {

inline constexpr QRgb kCurveColour = 0x0072B2;
inline constexpr QRgb kLaserColour = 0xD55E00;
inline constexpr QRgb kGridColour = 0xE0E0E0;
inline constexpr QRgb kFrameColour = 0x606060;

// The mean's bar: the laser's colour, lighter.
inline QBrush MeanBarBrush() {
    return QColor(kLaserColour).lighter(160);
}

// The head's limit: hatched in the curve's colour.
inline QBrush LimitBarBrush() {
    return {QColor(kCurveColour), Qt::BDiagPattern};
}

}  // namespace tavrin::paint
