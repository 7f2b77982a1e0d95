#include "details_panel.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsLayout>
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
#include <QSettings>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "app_settings.h"
#include "chart_legend.h"
#include "qt_services.h"
#include "results_view.h"
#include "usage_bars.h"
#include "why_not_table_model.h"
#include "window_style.h"
#include "wrapped_notes.h"

namespace tavrin::ui {
namespace {

// The colour-blind safe blue and vermilion of the usage bars.
constexpr QRgb kCurveColour = 0x0072B2;
constexpr QRgb kLaserColour = 0xD55E00;

QBrush MeanBarBrush() {
    return QColor(kLaserColour).lighter(160);
}

QBrush LimitBarBrush() {
    return {QColor(kCurveColour), Qt::BDiagPattern};
}

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
    // The chart takes half the area, with what the picked head's numbers
    // assume under it; the bars and the list share the other half.
    auto* body = new QHBoxLayout;
    auto* picked = new QVBoxLayout;
    picked->addWidget(BuildChart(), 1);
    m_notes = new WrappedNotes(this);
    m_notes->setObjectName(QStringLiteral("lblDetailsNotes"));
    picked->addWidget(m_notes);
    body->addLayout(picked, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(BuildBars());
    side->addWidget(BuildWhyNot(), 1);
    body->addLayout(side, 1);
    layout->addLayout(body, 1);
    Sync();
}

QWidget* DetailsPanel::BuildChart() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_chartView = new QChartView(box);
    m_chartView->setObjectName(QStringLiteral("chtDetails"));
    m_chartView->setAccessibleName(QStringLiteral("Chart of the picked head"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(240, 180);
    m_chartView->installEventFilter(this);
    layout->addWidget(m_chartView, 1);
    m_legend = new ChartLegend(box);
    m_legend->setObjectName(QStringLiteral("picLegend"));
    layout->addWidget(m_legend);
    return box;
}

QWidget* DetailsPanel::BuildBars() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    // Save Chart on the header's line, which keeps the area low on a small screen.
    auto* header = new QHBoxLayout;
    QLabel* caption = SubHeader(QStringLiteral("Share of each limit the laser uses"), box);
    caption->setWordWrap(true);
    header->addWidget(caption, 1);
    m_save = Button("cmdSaveChart", QStringLiteral("&Save Chart..."), box);
    connect(m_save, &QPushButton::clicked, this, [this] { m_model->SaveChart(*this); });
    header->addWidget(m_save);
    layout->addLayout(header);
    m_bars = new UsageBars(box);
    m_bars->setObjectName(QStringLiteral("picUsage"));
    layout->addWidget(m_bars);
    return box;
}

QWidget* DetailsPanel::BuildWhyNot() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SubHeader(QStringLiteral("Why not?"), box));
    // Picked as the grid is: by a click, an arrow key, Space or Enter, never
    // by the focus coming in.
    m_whyNot = new ResultsView(box);
    m_whyNot->setObjectName(QStringLiteral("gridWhyNot"));
    m_whyNot->setAccessibleName(QStringLiteral("Why not?"));
    m_whyNotRows = new WhyNotTableModel(m_model->Details(), m_whyNot);
    m_whyNot->setModel(m_whyNotRows);
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
    connect(m_whyNot, &ResultsView::rowPicked, this, [this](int row) { m_model->PickWhyNot(row - 1); });
    connect(m_whyNot, &ResultsView::rowActivated, this, [this](int row) { m_model->WhyNotActivated(row - 1); });
    m_whyNot->setMinimumWidth(240);
    layout->addWidget(m_whyNot, 1);
    return box;
}

QTableView* DetailsPanel::WhyNotList() const {
    return m_whyNot;
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

// The chart's title is broken into lines again when the chart's width changes.
bool DetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chartView && event->type() == QEvent::Resize && Chart() != nullptr) {
        Chart()->setTitle(WrappedTitle(m_title, Chart()->titleFont(), m_chartView->width()));
        // The plot makes room for the title's lines as they are now.
        if (QGraphicsLayout* layout = Chart()->layout()) {
            layout->invalidate();
        }
    }
    return QWidget::eventFilter(watched, event);
}

QChart* DetailsPanel::Chart() const {
    return m_chartView->chart();
}

void DetailsPanel::Sync() {
    const DetailsArea& details = m_model->Details();
    const DetailsChart chart = details.Chart();
    std::unique_ptr<QChart> previous(m_chartView->chart());
    auto* target = new QChart;
    m_chartView->setChart(target);
    m_title = ToQt(chart.title);
    DrawChart(chart, target, m_chartView->width());
    m_legend->SetEntries(LegendOf(chart));
    // A screen reader hears the title, and what the chart shows at the laser.
    m_chartView->setAccessibleName(m_title);
    m_chartView->setAccessibleDescription(ToQt(chart.description));
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
void DetailsPanel::DrawChart(const DetailsChart& chart, QChart* target, int width) {
    target->setAnimationOptions(QChart::NoAnimation);
    target->setBackgroundRoundness(0);
    // The legend is drawn under the chart, where its lines wrap rather than
    // being cut short.
    target->legend()->setVisible(false);
    target->setTitle(WrappedTitle(ToQt(chart.title), target->titleFont(), width));
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

std::vector<LegendEntry> DetailsPanel::LegendOf(const DetailsChart& chart) {
    using Mark = LegendEntry::Mark;
    std::vector<LegendEntry> entries;
    switch (chart.kind) {
        case ChartKind::Threshold:
            entries.push_back({Mark::Line, QPen(QColor(kCurveColour), 2), {}, ToQt(chart.curveName)});
            entries.push_back({Mark::Square, QPen(Qt::black), QColor(kLaserColour),
                               chart.meanPoint ? QStringLiteral("Laser peak") : QStringLiteral("Laser")});
            if (chart.meanPoint) {
                entries.push_back(
                    {Mark::Circle, QPen(QColor(kLaserColour)), QBrush(Qt::white), QStringLiteral("Laser mean")});
            }
            break;
        case ChartKind::Bars:
            if (chart.laserName.empty()) {
                break;
            }
            entries.push_back({Mark::Bar, QPen(Qt::NoPen), QColor(kLaserColour), ToQt(chart.laserName)});
            if (chart.mean) {
                entries.push_back({Mark::Bar, QPen(Qt::NoPen), MeanBarBrush(), ToQt(chart.meanName)});
            }
            entries.push_back({Mark::Bar, QPen(QColor(kCurveColour)), LimitBarBrush(), ToQt(chart.limitName)});
            break;
        case ChartKind::None:
            break;
    }
    return entries;
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
    limit->setBrush(LimitBarBrush());
    limit->setPen(QPen(QColor(kCurveColour)));
    auto* bars = new QBarSeries;
    bars->append(laser);
    if (chart.mean) {
        auto* mean = new QBarSet(ToQt(chart.meanName));
        mean->append(*chart.mean);
        mean->setBrush(MeanBarBrush());
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

}  // namespace tavrin::ui
