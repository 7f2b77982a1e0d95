#include "details_panel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollBar>
#include <QSvgGenerator>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "qt_services.h"
#include "usage_bars.h"
#include "why_not_table_model.h"
#include "window_style.h"
#include "wrapped_notes.h"

namespace tavrin::ui {
namespace {

// The colour-blind safe blue and vermilion of the usage bars.
constexpr QRgb kCurveColour = 0x0072B2;
constexpr QRgb kLaserColour = 0xD55E00;

QLabel* SubHeader(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// An axis labelled at the model's ticks, with a light grid line at each, so
// that the curve stands out; `logarithmic`: the ticks' values are drawn at
// their logarithms, as the series are.
QCategoryAxis* TickAxis(const std::string& title, double low, double high, const std::vector<AxisTick>& ticks,
                        bool logarithmic) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(ToQt(title));
    axis->setRange(low, high);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (const AxisTick& tick : ticks) {
        axis->append(ToQt(tick.label), logarithmic ? std::log10(tick.value) : tick.value);
    }
    axis->setGridLineColor(QColor(0xE0, 0xE0, 0xE0));
    axis->setMinorGridLineVisible(false);
    return axis;
}

// The title in lines that fit the chart's width, as rich text: a chart cuts
// a long line short rather than wrap it.
QString WrappedTitle(const QString& title, const QFont& font, int chartWidth) {
    const QFontMetrics metrics(font);
    const int width = std::max(chartWidth - 80, 100);
    QStringList lines;
    for (const QString& paragraph : title.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                lines << line.toHtmlEscaped();
                line = word;
            } else {
                line = longer;
            }
        }
        lines << line.toHtmlEscaped();
    }
    return lines.join(QStringLiteral("<br>"));
}

}  // namespace

DetailsPanel::DetailsPanel(MainWindowModel& model, QWidget* parent) : QWidget(parent), m_model(&model) {
    setObjectName(QStringLiteral("fraDetails"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SectionHeader("lblDetails", QStringLiteral("Details"), this));
    // The chart and the bars, with what the picked head's numbers assume under them.
    auto* picked = new QVBoxLayout;
    auto* drawn = new QHBoxLayout;
    drawn->addWidget(BuildChart(), 2);
    drawn->addWidget(BuildBars(), 1);
    picked->addLayout(drawn, 1);
    m_notes = new WrappedNotes(this);
    m_notes->setObjectName(QStringLiteral("lblDetailsNotes"));
    picked->addWidget(m_notes);
    auto* body = new QHBoxLayout;
    body->addLayout(picked, 6);
    body->addWidget(BuildWhyNot(), 7);
    layout->addLayout(body, 1);
    Sync();
}

QWidget* DetailsPanel::BuildChart() {
    m_chartView = new QChartView(this);
    m_chartView->setObjectName(QStringLiteral("chtDetails"));
    m_chartView->setAccessibleName(QStringLiteral("Chart of the picked head"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(360, 260);
    m_chartView->installEventFilter(this);
    return m_chartView;
}

QWidget* DetailsPanel::BuildBars() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SubHeader(QStringLiteral("Share of each limit the laser uses"), box));
    m_bars = new UsageBars(box);
    m_bars->setObjectName(QStringLiteral("picUsage"));
    layout->addWidget(m_bars);
    layout->addStretch();
    m_save = Button("cmdSaveChart", QStringLiteral("Save Chart..."), box);
    connect(m_save, &QPushButton::clicked, this, [this] { m_model->SaveChart(*this); });
    layout->addWidget(m_save, 0, Qt::AlignLeft);
    return box;
}

QWidget* DetailsPanel::BuildWhyNot() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SubHeader(QStringLiteral("Why not?"), box));
    m_whyNot = new QTableView(box);
    m_whyNot->setObjectName(QStringLiteral("gridWhyNot"));
    m_whyNot->setAccessibleName(QStringLiteral("Why not?"));
    m_whyNotRows = new WhyNotTableModel(m_model->Details(), m_whyNot);
    m_whyNot->setModel(m_whyNotRows);
    m_whyNot->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_whyNot->setSelectionMode(QAbstractItemView::SingleSelection);
    m_whyNot->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_whyNot->verticalHeader()->setVisible(false);
    m_whyNot->verticalHeader()->setDefaultSectionSize(m_whyNot->fontMetrics().height() + 6);
    m_whyNot->setWordWrap(false);
    QHeaderView* header = m_whyNot->horizontalHeader();
    // Each column as wide as its texts, so that "fits with a beam of 12.7 mm"
    // is read whole; a narrow list scrolls sideways instead.
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { m_model->SortWhyNotBy(static_cast<WhyNotColumn>(column)); });
    connect(m_whyNot->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    m_model->PickWhyNot(current.row());
                }
            });
    m_whyNot->setMinimumWidth(420);
    m_whyNot->setTabKeyNavigation(false);  // Tab leaves the list; the arrows move in it
    m_whyNot->installEventFilter(this);
    layout->addWidget(m_whyNot, 1);
    return box;
}

// Room for the "Why not?" list to show a typical row whole, the fitting beam
// included, however few rows it holds when the window opens.
QSize DetailsPanel::sizeHint() const {
    QSize hint = QWidget::sizeHint();
    const QFontMetrics metrics(m_whyNot->font());
    int wanted = 2 * m_whyNot->frameWidth() + m_whyNot->verticalScrollBar()->sizeHint().width();
    for (const char* sample :
         {"TQS3000/65", "Damage threshold", "397.9 mJ/cm\u00B2 > 300 mJ/cm\u00B2", "fits with a beam of 12.7 mm"}) {
        wanted += metrics.horizontalAdvance(QString::fromUtf8(sample)) + 2 * metrics.averageCharWidth();
    }
    hint.rwidth() += std::max(0, wanted - m_whyNot->sizeHint().width());
    return hint;
}

// Enter on a row of the list opens that head's data sheet, as it does in the
// grid; the chart's title is broken into lines again when the chart's width changes.
bool DetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chartView && event->type() == QEvent::Resize && Chart() != nullptr) {
        Chart()->setTitle(WrappedTitle(m_title, Chart()->titleFont(), m_chartView->width()));
    }
    if (watched == m_whyNot && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_whyNot->currentIndex().isValid()) {
                m_model->WhyNotActivated(m_whyNot->currentIndex().row());
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QChart* DetailsPanel::Chart() const {
    return m_chartView->chart();
}

void DetailsPanel::Sync() {
    const DetailsArea& details = m_model->Details();
    DrawChart(details.Chart());
    m_bars->SetBars(details.Bars());
    QStringList notes;
    for (const std::string& note : details.Notes()) {
        notes << ToQt(note);
    }
    m_notes->SetNotes(notes.join(QLatin1Char('\n')));
    m_save->setEnabled(details.PickedHead().has_value());

    const QSignalBlocker blocker(m_whyNot->selectionModel());
    if (m_whyNotRows->Refresh()) {
        m_whyNot->resizeColumnsToContents();
        m_whyNot->scrollToTop();
    }
    if (const auto row = details.PickedWhyNotRow()) {
        m_whyNot->selectRow(static_cast<int>(*row));
        m_whyNot->setCurrentIndex(m_whyNotRows->index(static_cast<int>(*row), 0));
    } else {
        m_whyNot->selectionModel()->clear();
    }
    QHeaderView* header = m_whyNot->horizontalHeader();
    const QSignalBlocker headerBlocker(header);
    if (const auto column = details.SortColumn()) {
        header->setSortIndicator(static_cast<int>(*column),
                                 details.SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

// Each head gets a chart of its own: axes taken out of a chart that is
// drawn again can leave their grid behind on the scene.
void DetailsPanel::DrawChart(const DetailsChart& chart) {
    m_chartView->setAccessibleName(ToQt(chart.title));
    std::unique_ptr<QChart> previous(m_chartView->chart());
    auto* target = new QChart;
    target->setAnimationOptions(QChart::NoAnimation);
    target->legend()->setAlignment(Qt::AlignBottom);
    target->setBackgroundRoundness(0);
    m_chartView->setChart(target);
    m_title = ToQt(chart.title);
    target->setTitle(WrappedTitle(m_title, target->titleFont(), m_chartView->width()));
    target->legend()->setVisible(chart.kind != ChartKind::None);
    switch (chart.kind) {
        case ChartKind::Threshold:
            DrawThreshold(chart, target);
            break;
        case ChartKind::Bars:
            DrawBars(chart, target);
            break;
        case ChartKind::None:
            break;
    }
}

void DetailsPanel::DrawThreshold(const DetailsChart& chart, QChart* target) {
    // Drawn on the decades' logarithms, so that the axes carry the labels the
    // model wrote ("1 ns", "10 mJ/cm²") and only a line each.
    // The curve in its stretches, dashed where the table has no point; the
    // legend names the first of each kind.
    std::vector<QAbstractSeries*> series;
    bool solidNamed = false;
    bool dashedNamed = false;
    for (const CurveStretch& stretch : chart.curve) {
        auto* curve = new QLineSeries;
        QPen pen(QColor(kCurveColour), 2);
        if (stretch.held) {
            pen.setStyle(Qt::DashLine);
        }
        curve->setPen(pen);
        for (const auto& [tau, threshold] : stretch.points) {
            curve->append(std::log10(tau), std::log10(threshold));
        }
        bool& named = stretch.held ? dashedNamed : solidNamed;
        curve->setName(ToQt(stretch.held ? chart.heldName : chart.curveName));
        target->addSeries(curve);
        for (QLegendMarker* marker : target->legend()->markers(curve)) {
            marker->setVisible(!named);
        }
        named = true;
        series.push_back(curve);
    }
    auto* point = new QScatterSeries;
    point->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    point->setMarkerSize(11);
    point->setColor(QColor(kLaserColour));
    point->setBorderColor(Qt::black);
    if (chart.point) {
        point->append(std::log10(chart.point->first), std::log10(chart.point->second));
    }
    // Its values and share are the title's second line.
    point->setName(chart.meanPoint ? QStringLiteral("Laser peak") : QStringLiteral("Laser"));
    target->addSeries(point);
    series.push_back(point);
    if (chart.meanPoint) {
        auto* mean = new QScatterSeries;
        mean->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        mean->setMarkerSize(9);
        mean->setColor(Qt::white);
        mean->setBorderColor(QColor(kLaserColour));
        mean->append(std::log10(chart.meanPoint->first), std::log10(chart.meanPoint->second));
        mean->setName(QStringLiteral("Laser mean"));
        target->addSeries(mean);
        series.push_back(mean);
    }
    auto* x = TickAxis(chart.xTitle, std::log10(chart.xMin), std::log10(chart.xMax), chart.xTicks, true);
    auto* y = TickAxis(chart.yTitle, std::log10(chart.yMin), std::log10(chart.yMax), chart.yTicks, true);
    target->addAxis(x, Qt::AlignBottom);
    target->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* drawn : series) {
        drawn->attachAxis(x);
        drawn->attachAxis(y);
    }
}

void DetailsPanel::DrawBars(const DetailsChart& chart, QChart* target) {
    auto* laser = new QBarSet(ToQt(chart.laserName));
    laser->append(chart.laser);
    laser->setBrush(QColor(kLaserColour));
    auto* limit = new QBarSet(ToQt(chart.limitName));
    limit->append(chart.limit);
    limit->setBrush(QBrush(QColor(kCurveColour), Qt::BDiagPattern));
    limit->setPen(QPen(QColor(kCurveColour)));
    auto* bars = new QBarSeries;
    bars->append(laser);
    if (chart.mean) {
        auto* mean = new QBarSet(ToQt(chart.meanName));
        mean->append(*chart.mean);
        mean->setBrush(QColor(kLaserColour).lighter(160));
        bars->append(mean);
    }
    bars->append(limit);
    target->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->append(ToQt(chart.category));
    auto* y = TickAxis(chart.yTitle, chart.yMin, chart.yMax, chart.yTicks, false);
    target->addAxis(x, Qt::AlignBottom);
    target->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
}

std::optional<ChosenChartFile> DetailsPanel::ChooseChartFile(const std::string& suggestedName) {
    const QString png = QStringLiteral("PNG image (*.png)");
    const QString svg = QStringLiteral("SVG drawing (*.svg)");
    const QString pdf = QStringLiteral("PDF document (*.pdf)");
    QString filter;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Chart"), ToQt(suggestedName),
                                     png + QStringLiteral(";;") + svg + QStringLiteral(";;") + pdf, &filter);
    if (path.isEmpty()) {
        return std::nullopt;
    }
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

std::optional<std::string> DetailsPanel::RenderChart(ChartFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = m_chartView->size();
    bool drawn = false;
    switch (format) {
        case ChartFormat::Png: {
            QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(2);
            image.fill(Qt::white);
            QPainter painter(&image);
            // The whole view into the image's own size: without a target the
            // view fills the image's pixels, twice its size, and only the
            // top-left quarter lands in the file.
            m_chartView->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
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
                m_chartView->render(&painter);
                drawn = painter.end();
            }
            break;
        }
        case ChartFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setTitle(m_title);
            QPainter painter;
            if (painter.begin(&pdf)) {
                m_chartView->render(&painter, QRectF(painter.viewport()));
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
