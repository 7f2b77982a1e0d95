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

// Against the shipped catalogue: a 10 ns, 200 mJ laser at 10 Hz on an 8 mm
// beam, which some heads take and others refuse on the threshold or the
// aperture; then a 50 W CW laser on a 2 mm beam.
TEST(DetailsView, PicksDrawTheirHeadAndTheChartSaves) {
    WindowFixture f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value());
    f.window.resize(1200, 860);
    Find<QRadioButton>(f.window, "optPulsed")->click();
    for (const auto& [entry, text] : {std::pair{"txtBeam1", "8"},
                                      {"txtWaveLenght", "1064"},
                                      {"txtMaxEnergy", "0.2"},
                                      {"txtRepRate", "10"},
                                      {"txtPulseWidth", "0.00001"}}) {
        Type(f.window, entry, QString::fromLatin1(text));
    }
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    auto* grid = Find<QTableView>(f.window, "gridForm");
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    EXPECT_FALSE(panel->isVisible()) << "nothing picked yet";
    ClickRow(grid, 1);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->Chart()->title().startsWith(Cell(grid, 1, 0))) << panel->Chart()->title().toStdString();
    const auto& laser = f.model.model.Details().Details()->operatingPoint;
    const auto series = panel->Chart()->series();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(static_cast<QXYSeries*>(series[0])->count(), 121) << "1 ps to 1 s, 10 points a decade";
    const auto* point = static_cast<QScatterSeries*>(series[1]);
    ASSERT_EQ(point->count(), 1);
    EXPECT_EQ(point->at(0), QPointF(*laser.pulseWidth, laser.energyDensity));
    EXPECT_TRUE(point->pointLabelsFormat().endsWith(QStringLiteral("% of the threshold")));
    EXPECT_EQ(panel->Bars()->Bars().size(), f.model.model.Details().Bars().size());
    QApplication::processEvents();  // the chart lays itself out from the event loop
    f.window.grab().save(ShotPath("details-pulsed-picked.png"));

    // Sorting by what would fit puts the heads that fit with some beam first;
    // a pick there draws that head.
    QTableView* list = panel->WhyNotList();
    QHeaderView* header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    EXPECT_TRUE(Cell(list, 0, 3).startsWith(QStringLiteral("fits with a beam of"))) << Cell(list, 0, 3).toStdString();
    ClickRow(list, 0);
    EXPECT_TRUE(panel->Chart()->title().startsWith(Cell(list, 0, 0)));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-why-not.png"));

    const auto folder = test::FreshFolder("chart-files");
    for (const auto& [file, format, start] : {std::tuple{"chart.png", ChartFormat::Png, "\x89PNG"},
                                              {"chart.svg", ChartFormat::Svg, "<?xml"},
                                              {"chart.pdf", ChartFormat::Pdf, "%PDF"}}) {
        ASSERT_TRUE(panel->WriteChart((folder / file).string(), format)) << file;
        EXPECT_EQ(test::ReadFile(folder / file).rfind(start, 0), 0u) << file;
    }
    EXPECT_FALSE(panel->WriteChart((folder / "missing" / "chart.svg").string(), ChartFormat::Svg));

    ClickRow(grid, 0);
    EXPECT_FALSE(list->selectionModel()->hasSelection()) << "the pick moved to the grid";

    // Hidden by the user, the area stays hidden when a row is picked.
    Find<QToolButton>(f.window, "cmdDetails")->click();
    ClickRow(grid, 1);
    EXPECT_FALSE(panel->isVisible());

    QTest::mouseClick(Find<QPushButton>(f.window, "cmdNew"), Qt::LeftButton);
    Find<QRadioButton>(f.window, "optCW")->click();
    Type(f.window, "txtBeam1", QStringLiteral("2"));
    Type(f.window, "txtWaveLenght", QStringLiteral("1064"));
    Type(f.window, "txtMaxPower", QStringLiteral("50"));
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    Find<QToolButton>(f.window, "cmdDetails")->click();
    ClickRow(grid, 0);
    const auto sets = static_cast<QBarSeries*>(panel->Chart()->series().at(0))->barSets();
    ASSERT_EQ(sets.size(), 2);
    const DetailsChart chart = f.model.model.Details().Chart();
    EXPECT_EQ(sets[0]->at(0), chart.laser);
    EXPECT_EQ(sets[1]->at(0), chart.limit);
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-cw-picked.png"));
}

}  // namespace
}  // namespace tavrin
