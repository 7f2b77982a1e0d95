// The details area as a user meets it: a pick in the grid or in the "Why
// not?" list draws that head; the area hides and stays hidden; the chart saves.
#include <gtest/gtest.h>

#include <QAbstractSeries>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTableView>
#include <QToolButton>
#include <QXYSeries>

#include "catalogue/catalogue.h"
#include "ui/details_panel.h"
#include "ui/usage_bars.h"
#include "ui_support.h"

namespace tavrin {
namespace {

using test::Find;
using test::ShotPath;
using test::Type;
using test::WindowFixture;

void ClickRow(QTableView* table, int row) {
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

QString Cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

// A 10 ns, 200 mJ laser at 10 Hz on an 8 mm beam, against the shipped
// catalogue: some heads fit, others fail on the threshold or the aperture.
struct PulsedWindow {
    PulsedWindow() : f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value()) {
        f.window.resize(1200, 860);
        Find<QRadioButton>(f.window, "optPulsed")->click();
        Type(f.window, "txtBeam1", QStringLiteral("8"));
        Type(f.window, "txtWaveLenght", QStringLiteral("1064"));
        Type(f.window, "txtMaxEnergy", QStringLiteral("0.2"));
        Type(f.window, "txtRepRate", QStringLiteral("10"));
        Type(f.window, "txtPulseWidth", QStringLiteral("0.00001"));
        QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
        grid = Find<QTableView>(f.window, "gridForm");
        panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    }
    WindowFixture f;
    QTableView* grid;
    ui::DetailsPanel* panel;
};

TEST(DetailsView, APickedRowDrawsItsCurveOperatingPointAndUsage) {
    PulsedWindow w;
    EXPECT_FALSE(w.panel->isVisible()) << "nothing picked yet";
    ASSERT_GT(w.grid->model()->rowCount(), 1);
    ClickRow(w.grid, 1);
    ASSERT_TRUE(w.panel->isVisible());
    const QString name = Cell(w.grid, 1, 0);
    EXPECT_TRUE(w.panel->Chart()->title().startsWith(name)) << w.panel->Chart()->title().toStdString();

    const auto& details = *w.f.model.model.Details().Details();
    const auto series = w.panel->Chart()->series();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(static_cast<QXYSeries*>(series[0])->count(), 121) << "1 ps to 1 s, 10 points a decade";
    const auto* point = static_cast<QScatterSeries*>(series[1]);
    ASSERT_EQ(point->count(), 1);
    EXPECT_EQ(point->at(0).x(), *details.operatingPoint.pulseWidth);
    EXPECT_EQ(point->at(0).y(), details.operatingPoint.energyDensity);
    EXPECT_TRUE(point->pointLabelsFormat().endsWith(QStringLiteral("% of the threshold")));

    const auto& bars = w.panel->Bars()->Bars();
    EXPECT_EQ(bars.size(), details.kept[1].usage.size());
    EXPECT_EQ(std::count_if(bars.begin(), bars.end(), [](const UsageBar& b) { return b.tightest; }), 1);
    QApplication::processEvents();  // the chart lays itself out from the event loop
    w.f.window.grab().save(ShotPath("details-pulsed-picked.png"));
}

TEST(DetailsView, TheWhyNotListSortsAndItsPickDrawsThatHead) {
    PulsedWindow w;
    auto* toggle = Find<QToolButton>(w.f.window, "cmdDetails");
    toggle->click();
    ASSERT_TRUE(w.panel->isVisible());
    QTableView* list = w.panel->WhyNotList();
    const auto rejected = w.f.model.model.Details().Details()->rejected.size();
    ASSERT_EQ(list->model()->rowCount(), static_cast<int>(rejected));

    // Sorting by what would fit puts the heads that fit with some beam first,
    // smallest beam first; a second click turns the order round.
    QHeaderView* header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
    EXPECT_TRUE(Cell(list, 0, 3).startsWith(QStringLiteral("fits with a beam of"))) << Cell(list, 0, 3).toStdString();
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    ClickRow(list, 0);
    EXPECT_TRUE(w.panel->Chart()->title().startsWith(Cell(list, 0, 0)));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
    QApplication::processEvents();
    w.f.window.grab().save(ShotPath("details-why-not.png"));

    // Hidden by the user, the area stays hidden when a row is picked.
    toggle->click();
    ClickRow(w.grid, 0);
    EXPECT_FALSE(w.panel->isVisible());
}

// A CW laser's chart sets its power density beside the head's limit.
TEST(DetailsView, ACwPickDrawsThePowerDensityAgainstTheLimit) {
    WindowFixture f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value());
    Type(f.window, "txtBeam1", QStringLiteral("2"));
    Type(f.window, "txtWaveLenght", QStringLiteral("1064"));
    Type(f.window, "txtMaxPower", QStringLiteral("50"));
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    ClickRow(Find<QTableView>(f.window, "gridForm"), 0);
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    const auto sets = static_cast<QBarSeries*>(panel->Chart()->series().at(0))->barSets();
    ASSERT_EQ(sets.size(), 2);
    const DetailsChart chart = f.model.model.Details().Chart();
    EXPECT_EQ(sets[0]->at(0), chart.laser);
    EXPECT_EQ(sets[1]->at(0), chart.limit);
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-cw-picked.png"));
}

TEST(DetailsView, TheChartSavesAsPngSvgAndPdf) {
    PulsedWindow w;
    ClickRow(w.grid, 0);
    const auto folder = test::FreshFolder("chart-files");
    const struct {
        const char* file;
        ChartFormat format;
        const char* start;
    } files[] = {{"chart.png", ChartFormat::Png, "\x89PNG"},
                 {"chart.svg", ChartFormat::Svg, "<?xml"},
                 {"chart.pdf", ChartFormat::Pdf, "%PDF"}};
    for (const auto& file : files) {
        const auto path = folder / file.file;
        ASSERT_TRUE(w.panel->WriteChart(path.string(), file.format)) << file.file;
        EXPECT_EQ(test::ReadFile(path).rfind(file.start, 0), 0u) << file.file;
    }
    EXPECT_FALSE(w.panel->WriteChart((folder / "missing" / "chart.svg").string(), ChartFormat::Svg));
}

}  // namespace
}  // namespace tavrin
