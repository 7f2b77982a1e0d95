#include "details_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "app_settings.h"
#include "chart_view.h"
#include "qt_services.h"
#include "results_view.h"
#include "usage_bars.h"
#include "why_not_table_model.h"
#include "window_style.h"
#include "wrapped_notes.h"

namespace tavrin::ui {
namespace {

QLabel* SubHeader(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
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
    m_chartView = new ChartView(this);
    m_chartView->setObjectName(QStringLiteral("chtDetails"));
    m_chartView->setAccessibleName(QStringLiteral("Chart of the picked head"));
    m_chartView->setMinimumSize(240, 180);
    return m_chartView;
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

const DetailsChart& DetailsPanel::Chart() const {
    return m_chartView->Chart();
}

QWidget* DetailsPanel::ChartWidget() const {
    return m_chartView;
}

void DetailsPanel::Sync() {
    const DetailsArea& details = m_model->Details();
    DetailsChart chart = details.Chart();
    // A screen reader hears the title, and what the chart shows at the laser.
    m_title = ToQt(chart.title);
    m_chartView->setAccessibleName(m_title);
    m_chartView->setAccessibleDescription(ToQt(chart.description));
    m_chartView->SetChart(std::move(chart));
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

}  // namespace tavrin::ui
