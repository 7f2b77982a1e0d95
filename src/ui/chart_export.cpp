// Saving the details chart: the dialog, and the chart drawn anew at a
// page's size into PNG, SVG or PDF.
#include <QBuffer>
#include <QChart>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgGenerator>

#include "app_settings.h"
#include "chart_legend.h"
#include "details_panel.h"
#include "qt_services.h"

namespace tavrin::ui {
namespace {

// A saved chart is drawn at a size that suits a page, whatever the window's:
// a picture of 800 x 500 at twice the screen's resolution, a PDF page of A5
// laid landscape.
constexpr QSize kPictureSize(800, 500);
constexpr QSize kPageSize(800, 564);  // A5 landscape: 210 x 148 mm
constexpr int kLegendMargin = 12;

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

// Drawn anew at the file's own size, with the legend painted under it in as
// many lines as it needs.
std::optional<std::string> DetailsPanel::RenderChart(ChartFormat format) {
    const DetailsChart chart = m_model->Details().Chart();
    const QSize size = format == ChartFormat::Pdf ? kPageSize : kPictureSize;
    const std::vector<LegendEntry> legend = LegendOf(chart);
    // In pixels of the drawing: a size in points would follow the device's
    // resolution, twelve hundred dots an inch on a PDF page.
    QFont legendFont = m_legend->font();
    legendFont.setPixelSize(QFontInfo(m_legend->font()).pixelSize());
    const int legendHeight = legend.empty() ? 0 : LegendHeight(legend, legendFont, size.width() - 2 * kLegendMargin);
    const QRect legendArea(kLegendMargin, size.height() - legendHeight - kLegendMargin,
                           size.width() - 2 * kLegendMargin, legendHeight);
    // A chart of its own in a scene of its own, laid out at once at the
    // file's size; the scene owns the chart.
    QGraphicsScene scene;
    auto* target = new QChart;
    scene.addItem(target);
    const QSizeF plot(size.width(), legendArea.top() - (legend.empty() ? 0 : kLegendMargin / 2));
    target->setBackgroundBrush(Qt::white);
    DrawChart(chart, target, size.width());
    target->setGeometry(QRectF(QPointF(0, 0), plot));
    if (QGraphicsLayout* layout = target->layout()) {
        layout->activate();
    }
    const auto draw = [&](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        scene.render(&painter, QRectF(QPointF(0, 0), plot), QRectF(QPointF(0, 0), plot));
        PaintLegend(painter, legendArea, legend, legendFont);
    };

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    switch (format) {
        case ChartFormat::Png: {
            QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(2);
            QPainter painter(&image);
            draw(painter);
            painter.end();
            drawn = image.save(&buffer, "PNG");
            break;
        }
        case ChartFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(m_title);
            QPainter painter;
            if (painter.begin(&svg)) {
                draw(painter);
                drawn = painter.end();
            }
            break;
        }
        case ChartFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
            pdf.setTitle(m_title);
            QPainter painter;
            if (painter.begin(&pdf)) {
                painter.setWindow(QRect(QPoint(0, 0), size));
                draw(painter);
                drawn = painter.end();
            }
            break;
        }
    }
    if (!drawn) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

}  // namespace tavrin::ui
