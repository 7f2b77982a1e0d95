// Writes the documents of the program's "pdf" folder from its catalogue: one
// damage-threshold curve document per head family and one data sheet per head.
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <cmath>
#include <cstdio>
#include <set>

#include "catalogue/catalogue.h"
#include "form/main_window_model.h"
#include "selection/damage_threshold.h"

namespace {

using tavrin::Catalogue;
using tavrin::CoatingTable;
using tavrin::CurveDocument;
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

void DrawCurves(QPainter& painter, const CoatingTable& coatings, const std::vector<int>& rows) {
    const QRectF plot(170, 220, painter.device()->width() - 260, painter.device()->height() * 0.55);
    double lowest = 1e300;
    double highest = 0;
    for (int row : rows) {
        for (int column = 0; column < 12; ++column) {
            const double value = coatings.At(row, column);
            if (value > 0) {
                lowest = std::min(lowest, value);
                highest = std::max(highest, value);
            }
        }
    }
    if (highest <= 0) {
        lowest = 0.01;
        highest = 1;
    }
    const double yMin = std::floor(std::log10(lowest));
    const double yMax = std::ceil(std::log10(highest));
    const auto x = [&plot](double tau) { return plot.left() + (std::log10(tau) + 12) / 12 * plot.width(); };
    const auto y = [&](double value) {
        return plot.bottom() - (std::log10(value) - yMin) / std::max(1.0, yMax - yMin) * plot.height();
    };
    painter.setFont(QFont(QStringLiteral("Arial"), 8));
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    for (int decade = -12; decade <= 0; ++decade) {
        const double px = x(std::pow(10.0, decade));
        painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(px - 40, plot.bottom() + 8, 80, 30), Qt::AlignHCenter,
                         QStringLiteral("1e%1").arg(decade));
        painter.setPen(QPen(QColor(200, 200, 200), 1));
    }
    for (int decade = static_cast<int>(yMin); decade <= static_cast<int>(yMax); ++decade) {
        const double py = y(std::pow(10.0, decade));
        painter.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - 120, py - 15, 110, 30), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("1e%1").arg(decade));
        painter.setPen(QPen(QColor(200, 200, 200), 1));
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(plot);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 40, plot.width(), 40), Qt::AlignCenter,
                     QStringLiteral("pulse width (s)"));
    painter.save();
    painter.translate(plot.left() - 140, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-200, -20, 400, 40), Qt::AlignCenter, QStringLiteral("damage threshold (J/cm2)"));
    painter.restore();

    const QColor colours[] = {QColor(0x80, 0, 0), QColor(0, 0x50, 0xA0), QColor(0, 0x80, 0), QColor(0x90, 0x60, 0)};
    int index = 0;
    for (int row : rows) {
        QPainterPath path;
        bool started = false;
        for (int step = 0; step <= 240; ++step) {
            const double tau = std::pow(10.0, -12 + step * 12.0 / 240);
            const double value = tavrin::DamageThresholdAt(coatings, row, tavrin::Laser::Pulsed, tau);
            if (value <= 0) {
                continue;
            }
            const QPointF point(x(tau), y(value));
            started ? path.lineTo(point) : path.moveTo(point);
            started = true;
        }
        const QColor colour = colours[index % 4];
        painter.setPen(QPen(colour, 3));
        painter.drawPath(path);
        painter.drawText(QRectF(plot.left(), plot.bottom() + 90 + index * 30, plot.width(), 30), Qt::AlignLeft,
                         QStringLiteral("coating row %1%2")
                             .arg(row)
                             .arg(row >= 8 ? QStringLiteral(" (repetitive pulses)") : QString()));
        ++index;
    }
}

bool WriteCurveDocument(const Catalogue& catalogue, const QString& folder, CurveDocument document) {
    const auto& info = tavrin::CurveDocumentOf(document);
    const QString family = QString::fromLatin1(info.caption);
    std::set<int> rows;
    double waveMin = 1e300;
    double waveMax = 0;
    for (const HeadRecord& head : catalogue.Heads) {
        if (!InFamily(head, family)) {
            continue;
        }
        rows.insert(head.CoatingNo);
        if (head.CoatingNo > 4 && head.CoatingNo <= 7) {
            rows.insert(head.CoatingNo + 3);
        }
        waveMin = std::min(waveMin, head.WaveMin);
        waveMax = std::max(waveMax, head.WaveMax);
    }
    Page page(folder + QLatin1Char('/') + QString::fromLatin1(info.fileName));
    const QString range = waveMax > 0 ? QStringLiteral("Wavelength range %1 to %2 um").arg(waveMin).arg(waveMax)
                                      : QStringLiteral("No head of this family in the catalogue");
    Title(page.painter, family + QStringLiteral(" coating and absorber curves"), range);
    DrawCurves(page.painter, catalogue.Coatings, {rows.begin(), rows.end()});
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
