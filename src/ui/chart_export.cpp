// Saving the details chart: the dialog, and the chart drawn anew at a
// page's size into PNG, SVG or PDF.
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <cmath>

#include "app_settings.h"
#include "chart_view.h"
#include "details_panel.h"
#include "paint/chart_painter.h"
#include "qt_services.h"

namespace tavrin::ui {
namespace {

// A saved chart is drawn at a size that suits a page, whatever the window's:
// a picture of 1600 x 1000 pixels at twice a screen's resolution (so that
// it reads as a screen of 800 x 500 would), a PDF page of A5 laid landscape.
constexpr QSize kPictureSize(1600, 1000);
constexpr int kPictureDpi = 192;
constexpr double kInchesPerMetre = 39.37;

}  // namespace

// The dialog opens in the folder the last chart was saved to, kept in the
// settings, and at first in the user's pictures folder.
std::optional<ChosenChartFile> DetailsPanel::ChooseChartFile(const std::string& suggestedName) {
    const QString png = QStringLiteral("PNG image (*.png)");
    const QString svg = QStringLiteral("SVG drawing (*.svg)");
    const QString pdf = QStringLiteral("PDF document (*.pdf)");
    QSettings settings = AppSettings();
    QString folder = settings.value(kChartFolderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    QString filter;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Chart"), QDir(folder).filePath(ToQt(suggestedName)),
                                     png + QStringLiteral(";;") + svg + QStringLiteral(";;") + pdf, &filter);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    settings.setValue(kChartFolderKey, QFileInfo(path).absolutePath());
    ChosenChartFile chosen{path.toStdString()};
    if (filter == png) {
        chosen.filter = ChartFormat::Png;
    } else if (filter == svg) {
        chosen.filter = ChartFormat::Svg;
    } else if (filter == pdf) {
        chosen.filter = ChartFormat::Pdf;
    }
    return chosen;
}

// Drawn anew at the file's own size, the legend whole under the plot; the
// text follows the window's font, in points on the file's resolution.
std::optional<std::string> DetailsPanel::RenderChart(ChartFormat format) {
    const DetailsChart chart = m_model->Details().Chart();
    const QFont font = m_chartView->font();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const auto draw = [&](QPaintDevice& device, const QRectF& area) {
        QPainter painter;
        if (!painter.begin(&device)) {
            return false;
        }
        painter.setFont(font);
        paint::PaintChart(painter, area, chart);
        return painter.end();
    };
    bool drawn = false;
    switch (format) {
        case ChartFormat::Png: {
            QImage image(kPictureSize, QImage::Format_ARGB32_Premultiplied);
            const int dotsPerMetre = static_cast<int>(std::lround(kPictureDpi * kInchesPerMetre));
            image.setDotsPerMeterX(dotsPerMetre);
            image.setDotsPerMeterY(dotsPerMetre);
            drawn = draw(image, QRectF(QPointF(0, 0), kPictureSize)) && image.save(&buffer, "PNG");
            break;
        }
        case ChartFormat::Svg: {
            // A drawing of 800 x 500, as a screen shows it.
            const QSize size = kPictureSize / 2;
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setResolution(96);
            svg.setTitle(m_title);
            drawn = draw(svg, QRectF(QPointF(0, 0), size));
            break;
        }
        case ChartFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
            pdf.setTitle(m_title);
            pdf.setCreator(QStringLiteral("CV-Tavrin"));
            drawn = draw(pdf, QRectF(0, 0, pdf.width(), pdf.height()));
            break;
        }
    }
    if (!drawn) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

}  // namespace tavrin::ui
