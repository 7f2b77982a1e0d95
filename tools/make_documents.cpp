// Writes the documents of the program's "pdf" folder from its catalogue: one
// damage-threshold curve document per head family and one data sheet per head.
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "catalogue/catalogue.h"
#include "form/details_chart.h"
#include "form/main_window_model.h"
#include "paint/chart_painter.h"
#include "selection/damage_threshold.h"

namespace {

using tavrin::Catalogue;
using tavrin::CoatingTable;
using tavrin::CurveDocument;
using tavrin::DetailsChart;
using tavrin::HeadRecord;

QString Qt(const std::string& text) {
    return QString::fromUtf8(text.c_str());
}

// The family a head belongs to, by the start of its name; "TQS" before "TQ".
bool InFamily(const HeadRecord& head, const QString& family) {
    const QString name = Qt(head.Name);
    if (family == QStringLiteral("TQ")) {
        return name.startsWith(QStringLiteral("TQ")) && !name.startsWith(QStringLiteral("TQS"));
    }
    return name.startsWith(family);
}

struct Page {
    explicit Page(const QString& file) : writer(file), painter() {
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(150);
        writer.setTitle(QFileInfo(file).baseName());
        writer.setCreator(QStringLiteral("CV-Tavrin"));
        painter.begin(&writer);
    }
    QPdfWriter writer;
    QPainter painter;
};

void Title(QPainter& painter, const QString& title, const QString& subtitle) {
    QFont font(QStringLiteral("Arial"), 20, QFont::Bold);
    painter.setFont(font);
    painter.setPen(QColor(0x80, 0, 0));
    painter.drawText(QRect(0, 0, painter.device()->width(), 90), Qt::AlignCenter, title);
    painter.setFont(QFont(QStringLiteral("Arial"), 11));
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 90, painter.device()->width(), 50), Qt::AlignCenter, subtitle);
}

// A coating row's threshold as the search reads it, as a chart of its own.
DetailsChart RowChart(const CoatingTable& coatings, int coating, int row) {
    DetailsChart chart;
    chart.kind = tavrin::ChartKind::Threshold;
    const bool repetitive = row != coating;
    chart.title = "Coating " + std::to_string(coating) + (repetitive ? ", repetitive pulses" : "") + " (coating row " +
                  std::to_string(row) + ")";
    chart.curveName = tavrin::ThresholdCurveName(coating, row);
    chart.heldName = tavrin::HeldStretchName(tavrin::ThresholdRule::AsListed);
    chart.curve = tavrin::ThresholdStretches(coatings, row, tavrin::ThresholdRule::AsListed, std::nullopt);
    tavrin::FitThresholdAxes(chart, '.');
    return chart;
}

// The rows' charts under the title, two a line when there are more than two.
void DrawCurves(QPainter& painter, const CoatingTable& coatings, const std::vector<std::pair<int, int>>& rows) {
    if (rows.empty()) {
        return;
    }
    const double width = painter.device()->width();
    const double margin = width / 16;
    const QRectF page(margin, 170, width - 2 * margin, painter.device()->height() - 170 - margin);
    const int columns = rows.size() > 2 ? 2 : 1;
    const int lines = (static_cast<int>(rows.size()) + columns - 1) / columns;
    const double cellWidth = page.width() / columns;
    const double cellHeight = std::min(page.height() / lines, cellWidth * 0.75);
    painter.setFont(QFont(QStringLiteral("Arial"), columns == 1 ? 10 : 8));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int index = static_cast<int>(i);
        const int lineIndex = index / columns;
        const auto column = static_cast<double>(index - lineIndex * columns);
        const auto line = static_cast<double>(lineIndex);
        const QRectF cell(page.left() + column * cellWidth, page.top() + line * cellHeight, cellWidth, cellHeight);
        tavrin::paint::PaintChart(painter, cell, RowChart(coatings, rows[i].first, rows[i].second));
    }
}

bool WriteCurveDocument(const Catalogue& catalogue, const QString& folder, CurveDocument document) {
    const auto& info = tavrin::CurveDocumentOf(document);
    const QString family = QString::fromLatin1(info.caption);
    // Each coating's row for a single pulse and for repetitive pulses, as the
    // search picks them, a row once.
    std::map<int, int> rows;  // row, the coating that reads it
    double waveMin = 1e300;
    double waveMax = 0;
    for (const HeadRecord& head : catalogue.Heads) {
        if (!InFamily(head, family)) {
            continue;
        }
        for (const bool single : {true, false}) {
            const int row = tavrin::ThresholdRow(head.CoatingNo, single);
            if (row >= 0 && row < CoatingTable::kRows) {
                rows.emplace(row, head.CoatingNo);
            }
        }
        waveMin = std::min(waveMin, head.WaveMin);
        waveMax = std::max(waveMax, head.WaveMax);
    }
    Page page(folder + QLatin1Char('/') + QString::fromLatin1(info.fileName));
    const QString range = waveMax > 0 ? QStringLiteral("Wavelength range %1 to %2 um").arg(waveMin).arg(waveMax)
                                      : QStringLiteral("No head of this family in the catalogue");
    Title(page.painter, family + QStringLiteral(" coating and absorber curves"), range);
    std::vector<std::pair<int, int>> charts;  // coating, row
    charts.reserve(rows.size());
    for (const auto& [row, coating] : rows) {
        charts.emplace_back(coating, row);
    }
    DrawCurves(page.painter, catalogue.Coatings, charts);
    return page.painter.end();
}

bool WriteDataSheet(const HeadRecord& head, const QString& folder) {
    QString file = Qt(head.Name);
    file.replace(QLatin1Char('/'), QLatin1Char('-'));
    if (file.isEmpty() || file.startsWith(QLatin1Char('.')) || file.contains(QChar(0))) {
        return true;
    }
    Page page(folder + QLatin1Char('/') + file + QStringLiteral(".pdf"));
    Title(page.painter, Qt(head.Name), Qt(head.HeadType));
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("Aperture"), QStringLiteral("%1 mm").arg(head.Aperture)},
        {QStringLiteral("Maximum power"), QStringLiteral("%1 W").arg(head.PowerMax)},
        {QStringLiteral("Minimum power"), QStringLiteral("%1 W").arg(head.PowerMin)},
        {QStringLiteral("Maximum power density"), QStringLiteral("%1 W/cm2").arg(head.PowerDensityMax)},
        {QStringLiteral("Maximum pulse energy"), QStringLiteral("%1 J").arg(head.EnergyMax)},
        {QStringLiteral("Minimum pulse energy"), QStringLiteral("%1 J").arg(head.EnergyMin)},
        {QStringLiteral("Wavelength range"), QStringLiteral("%1 to %2 um").arg(head.WaveMin).arg(head.WaveMax)},
        {QStringLiteral("Absorber coating"), QString::number(head.CoatingNo)},
        {QStringLiteral("Resolution with Ardo"), Qt(head.ResArdo)},
        {QStringLiteral("Resolution with Brisa"), Qt(head.ResBrisa)},
        {QStringLiteral("Resolution with RVX 300"), Qt(head.ResRVX)},
        {QStringLiteral("Resolution with QDM"), Qt(head.ResQDM)},
        {QStringLiteral("Resolution with Sela"), Qt(head.ResSela)},
        {QStringLiteral("Resolution with Vantic"), Qt(head.ResVantic)},
    };
    page.painter.setFont(QFont(QStringLiteral("Arial"), 12));
    int top = 220;
    for (const auto& [label, value] : rows) {
        page.painter.drawText(QRect(150, top, 600, 50), Qt::AlignLeft | Qt::AlignVCenter, label);
        page.painter.drawText(QRect(760, top, 500, 50), Qt::AlignLeft | Qt::AlignVCenter, value);
        top += 60;
    }
    return page.painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrin-make-documents PROGRAM_DIR\n");
        return 64;
    }
    const std::filesystem::path programFolder = argv[1];
    const auto catalogue = tavrin::LoadCatalogue(programFolder);
    if (!catalogue) {
        std::fprintf(stderr, "%s\n", catalogue.Failure().message.c_str());
        return 1;
    }
    std::filesystem::create_directories(programFolder / "pdf");
    const QString folder = QString::fromStdString((programFolder / "pdf").string());
    bool ok = true;
    for (int i = 0; i < 8; ++i) {
        ok = WriteCurveDocument(catalogue.Value(), folder, static_cast<CurveDocument>(i)) && ok;
    }
    for (const HeadRecord& head : catalogue.Value().Heads) {
        ok = WriteDataSheet(head, folder) && ok;
    }
    return ok ? 0 : 1;
}
