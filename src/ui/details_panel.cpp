#include "details_panel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <memory>

#include "qt_services.h"
#include "usage_bars.h"
#include "why_not_table_model.h"
#include "window_style.h"

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

// A label every `base` times, so that the 12 decades of pulse widths keep
// theirs readable in a small chart.
QLogValueAxis* LogAxis(const QString& title, double low, double high, double base) {
    auto* axis = new QLogValueAxis;
    axis->setBase(base);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTitleText(title);
    axis->setRange(low, high);
    axis->setMinorTickCount(-1);
    return axis;
}

}  // namespace

DetailsPanel::DetailsPanel(MainWindowModel& model, QWidget* parent) : QWidget(parent), m_model(&model) {
    setObjectName(QStringLiteral("fraDetails"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SectionHeader("lblDetails", QStringLiteral("Details"), this));
    auto* body = new QHBoxLayout;
    body->addWidget(BuildChart(), 4);
    body->addWidget(BuildBars(), 2);
    body->addWidget(BuildWhyNot(), 6);
    layout->addLayout(body, 1);
    Sync();
}

QWidget* DetailsPanel::BuildChart() {
    m_chartView = new QChartView(this);
    m_chartView->setObjectName(QStringLiteral("chtDetails"));
    m_chartView->setAccessibleName(QStringLiteral("Chart of the picked head"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(360, 240);
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
    header->setStretchLastSection(true);
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

// Enter on a row of the list opens that head's data sheet, as it does in the grid.
bool DetailsPanel::eventFilter(QObject* watched, QEvent* event) {
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
    target->setTitle(ToQt(chart.title));
    target->legend()->setVisible(chart.kind != ChartKind::None);
    switch (chart.kind) {
        case ChartKind::Threshold:
            DrawThreshold(chart, target);
            break;
        case ChartKind::PowerDensity:
            DrawPowerDensity(chart, target);
            break;
        case ChartKind::None:
            break;
    }
}

void DetailsPanel::DrawThreshold(const DetailsChart& chart, QChart* target) {
    auto* curve = new QLineSeries;
    curve->setName(ToQt(chart.curveName));
    curve->setPen(QPen(QColor(kCurveColour), 2));
    for (const auto& [tau, threshold] : chart.curve) {
        curve->append(tau, threshold);
    }
    auto* point = new QScatterSeries;
    point->setName(QStringLiteral("Laser"));
    point->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    point->setMarkerSize(11);
    point->setColor(QColor(kLaserColour));
    point->setBorderColor(Qt::black);
    if (chart.point) {
        point->append(chart.point->first, chart.point->second);
    }
    point->setPointLabelsFormat(ToQt(chart.marginText));
    point->setPointLabelsVisible(true);
    point->setPointLabelsClipping(false);
    target->addSeries(curve);
    target->addSeries(point);
    auto* x = LogAxis(QStringLiteral("Pulse width (s)"), chart.xMin, chart.xMax, 1000);
    auto* y = LogAxis(QStringLiteral("J/cm\u00B2"), chart.yMin, chart.yMax, 10);
    target->addAxis(x, Qt::AlignBottom);
    target->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(curve), static_cast<QAbstractSeries*>(point)}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

void DetailsPanel::DrawPowerDensity(const DetailsChart& chart, QChart* target) {
    auto* laser = new QBarSet(QStringLiteral("Laser"));
    laser->append(chart.laser);
    laser->setBrush(QColor(kLaserColour));
    auto* limit = new QBarSet(QStringLiteral("Head limit"));
    limit->append(chart.limit);
    limit->setBrush(QBrush(QColor(kCurveColour), Qt::BDiagPattern));
    limit->setPen(QPen(QColor(kCurveColour)));
    laser->setLabelColor(Qt::black);
    limit->setLabelColor(Qt::black);
    auto* bars = new QBarSeries;
    bars->append(laser);
    bars->append(limit);
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    bars->setLabelsFormat(QStringLiteral("@value W/cm\u00B2"));
    target->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->append(QStringLiteral("Power density"));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("W/cm\u00B2"));
    y->setRange(chart.yMin, chart.yMax);
    y->setLabelFormat(QStringLiteral("%g"));
    target->addAxis(x, Qt::AlignBottom);
    target->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
}

std::optional<std::string> DetailsPanel::ChooseChartFile(const std::string& suggestedName) {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Chart"), ToQt(suggestedName),
                                     QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
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
            m_chartView->render(&painter);
            painter.end();
            drawn = image.save(&buffer, "PNG");
            break;
        }
        case ChartFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(Chart()->title());
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
            pdf.setTitle(Chart()->title());
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
