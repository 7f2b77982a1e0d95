// The details area and the screen reader's reading of the main window:
// the chart, its legend and its saved files, the usage bars, the "Why not?"
// list, the names and values the accessibility interface gives.
#include "paint/chart_legend_layout.h"
#include "ui_test_support.h"

namespace tavrin {
namespace {

using namespace ui_test;

// What a screen reader finds walking the window's accessibility tree: each
// named label and list, by name, with the text it reads as its value.
std::map<QString, QString> ReadAloud(QAccessibleInterface* node) {
    std::map<QString, QString> heard;
    const QAccessible::Role role = node->role();
    if (role == QAccessible::StaticText || role == QAccessible::ComboBox) {
        heard[node->text(QAccessible::Name)] = node->text(QAccessible::Value);
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i); child != nullptr && role != QAccessible::ComboBox) {
            heard.merge(ReadAloud(child));
        }
    }
    return heard;
}

// Through the accessibility interface, as a screen reader hears the window:
// every derived value and resolution by its name with its value and unit,
// following the laser; the lists by their captions; the menus with their keys;
// the usage bars as a list of sentences; the chart with what it shows.
TEST(AccessibilityView, TheScreenReaderHearsNamesAndValues) {
    WindowFixture f(OneHead());
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&f.window);
    const auto heard = [window](const char* name) { return ReadAloud(window)[QString::fromUtf8(name)].toStdString(); };
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QLineEdit>(f.window, "txtMaxPower"))->text(QAccessible::Name),
              QStringLiteral("Max Power, W"));
    TypeCwLaser(f.window);
    struct Row {
        const char* name;
        const char* value;
    };
    for (const Row& row : {Row{"Area", "19.6 mm\u00B2"}, Row{"Avg. Power", "100.0 W"},
                           Row{"Power Density", "509.3 W/cm\u00B2"}, Row{"WaveLength unit", "nm"},
                           Row{"Max Power unit", "W"}, Row{"Beam Profile", "Uniform"}, Row{"Ardo resolution", ""}}) {
        EXPECT_EQ(heard(row.name), row.value) << row.name;
    }
    Type(f.window, {{"txtBeam1", "0"}});  // 50 mm
    EXPECT_EQ(heard("Area"), "1963.5 mm\u00B2");
    auto* wavelength = Find<QComboBox>(f.window, "cboWavelenght");
    wavelength->setCurrentIndex(0);
    Q_EMIT wavelength->activated(0);
    EXPECT_EQ(heard("WaveLength unit"), "\u00B5m") << "shown with the sign, kept as um";
    EXPECT_EQ(f.model.model.State().WaveLength().Unit(), "um");
    Type(f.window, {{"txtWaveLenght", ""}});
    wavelength->setCurrentIndex(1);
    Q_EMIT wavelength->activated(1);

    QTest::keyClick(&f.window, Qt::Key_F5);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f.window.statusBar())->text(QAccessible::Name),
              QStringLiteral("2 heads suit this laser"));
    ClickRow(Find<QTableView>(f.window, "gridForm"), 0);
    EXPECT_EQ(heard("Ardo resolution"), "1mW");
    EXPECT_EQ(heard("RVX 300 resolution"), "3mW");
    auto* chart = Find<QWidget>(f.window, "chtDetails");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(chart)
                    ->text(QAccessible::Description)
                    .startsWith(QStringLiteral("Max power density: the laser 5.093 W/cm\u00B2 against")));
    auto* bars = Find<QWidget>(f.window, "picUsage");
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(bars);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), static_cast<int>(f.model.model.Details().Bars().size()));
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QStringLiteral("Max power: 1 % of the limit"));
    bars->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bars, Qt::Key_Down);
    EXPECT_EQ(list->focusChild(), list->child(1));

    // The menus, each command with its Alt key and its shortcut.
    QStringList menus;
    for (QAction* menu : f.window.menuBar()->actions()) {
        QStringList commands;
        for (QAction* command : menu->menu()->actions()) {
            if (!command->isSeparator()) {
                commands << command->text() + QLatin1Char(' ') + command->shortcut().toString();
            }
        }
        menus << menu->text() + QStringLiteral(": ") + commands.join(QStringLiteral(", "));
    }
    EXPECT_EQ(
        menus.join(QStringLiteral("; ")).toStdString(),
        "&File: Save &Chart\u2026 Ctrl+S, Save &Report as PDF\u2026 Ctrl+Shift+S, &Print\u2026 Ctrl+P, &Quit Ctrl+Q; "
        "&Edit: &Undo Reset Data Ctrl+Z, &Copy Results Ctrl+C; &Help: &User's Guide F1, &About CV-Tavrin ");

    // The launcher's introduction and the request window's explanation read what they say.
    test::RecordingMessages messages;
    ui::LauncherWindow launcher(test::FreshFolder("ui-a11y"), f.model.opener, messages, [] { return true; });
    QAccessibleInterface* intro = QAccessible::queryAccessibleInterface(Find<QLabel>(launcher, "lblInfo"));
    EXPECT_EQ(intro->text(QAccessible::Name), QStringLiteral("About CV-Tavrin"));
    EXPECT_TRUE(intro->text(QAccessible::Value).startsWith(QStringLiteral("The Tavrin program")));
    ui::RequestDialog request("the request", messages);
    request.NameUncoveredWavelength("30000 nm");
    QAccessibleInterface* why = QAccessible::queryAccessibleInterface(Find<QLabel>(request, "lblInfo"));
    EXPECT_TRUE(why->text(QAccessible::Description).contains(QStringLiteral("covers a wavelength of 30000 nm")));
}

// Whether a pane of the window scrolls sideways, and whether a caption is
// Where decimals are written with a comma (Italian), the details write them
// so too; seen at a laptop's size.
TEST(DetailsView, ACommaLocaleWritesTheDetailsWithCommas) {
    WindowFixture f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value(), std::filesystem::temp_directory_path(), ',');
    f.window.resize(1280, 680);
    Find<QRadioButton>(f.window, "optPulsed")->click();
    Type(f.window, {{"txtBeam1", "8"},
                    {"txtWaveLenght", "1064"},
                    {"txtMaxEnergy", "0,2"},
                    {"txtRepRate", "10"},
                    {"txtPulseWidth", "0,00001"}});
    QTest::keyClick(&f.window, Qt::Key_F5);
    ClickRow(Find<QTableView>(f.window, "gridForm"), 0);
    auto* list = Find<QTableView>(f.window, "gridWhyNot");
    ClickRow(list, 0);
    EXPECT_EQ(Cell(list, 0, 2).toStdString(), "397,9 mJ/cm\u00B2 > 300 mJ/cm\u00B2");
    EXPECT_TRUE(Find<QWidget>(f.window, "chtDetails")->accessibleName().contains(QStringLiteral("397,9 mJ/cm")));
    // A pasted number with a thousands separator stays as typed, marked with what to type.
    auto* energy = Find<QLineEdit>(f.window, "txtMaxEnergy");
    energy->selectAll();
    QTest::keyClicks(energy, QStringLiteral("1.000,5"));
    EXPECT_EQ(energy->text(), QStringLiteral("1.000,5"));
    EXPECT_EQ(energy->toolTip(), QStringLiteral("no thousands separator: type 1000,5"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(energy)->text(QAccessible::Description), energy->toolTip());
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-comma-1280x680.png"));
}

// Every bar's caption and text have room, in bold where the bar is the
// tightest or beyond its limit: "Product type ... does not match" is not cut;
// the chart's legend wraps onto more lines, and a long entry within itself.
TEST(DetailsView, UsageBarsAndTheLegendLeaveRoomForEveryText) {
    const QFontMetricsF font(QApplication::font());
    const std::vector<paint::LegendEntry> entries = {
        {paint::LegendEntry::Mark::Bar, {}, {}, QStringLiteral("Laser peak: 636.6 kW/cm\u00B2")},
        {paint::LegendEntry::Mark::Bar, {}, {}, QStringLiteral("Laser mean: 318.3 kW/cm\u00B2")},
        {paint::LegendEntry::Mark::Line, {}, {}, QStringLiteral("Coating 7, repetitive-pulse threshold, a long name")}};
    for (const double width : {2000.0, 260.0, 120.0}) {
        const std::vector<QRectF> boxes = paint::LayOutLegend(entries, font, width, 1);
        int lines = 0;
        for (const QRectF& box : boxes) {
            EXPECT_LE(box.right(), std::max(width, font.height() * 3)) << width;
            lines += box.left() == 0 ? 1 : 0;
        }
        EXPECT_EQ(lines > 1, width < 2000) << width;
        EXPECT_GT(paint::LegendHeight(entries, font, width, 1), boxes.back().top()) << width;
    }
    EXPECT_GT(paint::LegendHeight(entries, font, 120, 1), 3 * font.height()) << "the long entry wraps";

    ui::UsageBars bars;
    bars.SetBars({UsageBar{"Product type", std::nullopt, "does not match", false, true},
                  UsageBar{"Max power", 0.5, "50 %", true, false}});
    QFont bold = bars.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // The captions' column is at least as wide as "Max power density", the bars at least 60 pixels.
    EXPECT_GE(bars.minimumSizeHint().width(), metrics.horizontalAdvance(QStringLiteral("Max power density")) +
                                                  metrics.horizontalAdvance(QStringLiteral("does not match")) + 60);
}

// That laser with a Gaussian profile: the choice sits with the beam
// entries, the peak has a line under the derived values, the chart puts the
// operating point at the peak with the mean marked; Reset Data makes the beam
// uniform again.
TEST(DetailsView, AGaussianBeamIsJudgedByItsPeak) {
    WindowFixture f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value());
    f.window.resize(1366, 740);
    TypeShippedPulsedLaser(f.window);
    auto* profile = Find<QComboBox>(f.window, "cboProfile");
    auto* factor = Find<QLineEdit>(f.window, "txtProfileFactor");
    auto* peak = Find<QLabel>(f.window, "lblPeakLine");
    EXPECT_EQ(profile->currentText(), QStringLiteral("Uniform"));
    EXPECT_FALSE(factor->isEnabled());
    EXPECT_FALSE(peak->isVisible());
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    const int uniformRows = f.model.model.Grid().RowCount();

    profile->setFocus();
    QTest::keyClick(profile, Qt::Key_Down);  // Uniform, then Gaussian (1/e²)
    EXPECT_EQ(f.model.model.State().BeamProfile, Profile::Gaussian);
    ASSERT_TRUE(peak->isVisible());
    // 0.2 J / 10 ns = 20 MW over 0.5026548 cm²: 39.8 MW/cm², twice at the centre.
    EXPECT_EQ(peak->text().toStdString(),
              "Energy Density at centre (\u00D72) 0.8 J/cm2\nPeak Power Density at centre (\u00D72) 79.6 MW/cm2");
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    EXPECT_LT(f.model.model.Grid().RowCount(), uniformRows) << "heads whose threshold lies under the peak go";
    auto* grid = Find<QTableView>(f.window, "gridForm");
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    ClickRow(grid, 0);
    ASSERT_TRUE(panel->isVisible());
    const auto& laser = f.model.model.Details().Details()->operatingPoint;
    const DetailsChart& drawn = panel->Chart();
    ASSERT_EQ(drawn.curve.size(), 2u) << "the curve's dashed and solid stretches";
    EXPECT_EQ(drawn.point, std::pair(*laser.pulseWidth, laser.energyDensity));
    EXPECT_EQ(drawn.meanPoint, std::pair(*laser.pulseWidth, laser.energyDensity / 2));
    EXPECT_EQ(f.model.model.Details().Bars().back().caption, "Power through aperture");
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-gaussian.png"));

    profile->setCurrentIndex(2);
    Q_EMIT profile->activated(2);
    EXPECT_TRUE(factor->isEnabled());
    factor->setFocus();
    QTest::keyClicks(factor, "1,5x");
    EXPECT_EQ(factor->text(), QStringLiteral("1,5"));
    EXPECT_EQ(peak->text().toStdString(),
              "Energy Density at centre (\u00D71.5) 0.6 J/cm2\nPeak Power Density at centre (\u00D71.5) 59.7 MW/cm2");

    QTest::mouseClick(Find<QPushButton>(f.window, "cmdNew"), Qt::LeftButton);
    EXPECT_EQ(profile->currentText(), QStringLiteral("Uniform"));
    EXPECT_EQ(factor->text(), QString());
    EXPECT_FALSE(peak->isVisible());
}

// Against the shipped catalogue: the pulsed laser above, then a 50 W CW laser
// on a 2 mm beam.
TEST(DetailsView, PicksDrawTheirHeadAndTheChartSaves) {
    WindowFixture f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value());
    f.window.FitTo(QRect(0, 0, 1920, 1080));
    TypeShippedPulsedLaser(f.window);
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    auto* grid = Find<QTableView>(f.window, "gridForm");
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    EXPECT_FALSE(panel->isVisible()) << "nothing picked yet";
    ClickRow(grid, 1);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(ui::ToQt(panel->Chart().title).startsWith(Cell(grid, 1, 0))) << panel->Chart().title;
    const auto& laser = f.model.model.Details().Details()->operatingPoint;
    const std::vector<CurveStretch>& curve = panel->Chart().curve;
    ASSERT_EQ(curve.size(), 2u);
    EXPECT_EQ(curve[0].points.size() + curve[1].points.size(), 122u)
        << "1 ps to 100 ps dashed, on to 1 s solid, 10 points a decade";
    EXPECT_EQ(panel->Chart().point, std::pair(*laser.pulseWidth, laser.energyDensity));
    EXPECT_TRUE(panel->ChartWidget()->accessibleName().endsWith(QStringLiteral("% of the threshold")))
        << panel->ChartWidget()->accessibleName().toStdString();
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
    EXPECT_GE(list->columnWidth(3), list->fontMetrics().horizontalAdvance(Cell(list, 0, 3)));
    EXPECT_LE(list->columnViewportPosition(3) + list->columnWidth(3), list->viewport()->width())
        << "what would fit is read whole";
    ClickRow(list, 0);
    EXPECT_TRUE(ui::ToQt(panel->Chart().title).startsWith(Cell(list, 0, 0)));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-why-not.png"));

    // Saved through the dialog, which opens where the last chart went, at a
    // page's size whatever the window's, the legend whole under the chart.
    const auto folder = test::FreshFolder("chart-files");
    QStringList opened;
    const auto saveAs = [&](const std::filesystem::path& file) {
        f.window.activateWindow();  // back from the last dialog
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
        QTimer::singleShot(0, [&opened, file] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opened << dialog->directory().absolutePath();
            dialog->selectFile(QString::fromStdString(file.string()));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::keyClick(&f.window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(Status(f.window).toStdString(), "Chart saved to " + file.string());
    };
    saveAs(folder / "chart.png");
    saveAs(folder / "chart.pdf");
    EXPECT_EQ(opened.join(QLatin1Char(' ')).toStdString(), opened.value(0).toStdString() + " " + folder.string());
    const auto svg = panel->RenderChart(ChartFormat::Svg);
    ASSERT_TRUE(svg && svg->rfind("<?xml", 0) == 0);
    EXPECT_LT(svg->size(), 500'000u);
    const QImage png(QString::fromStdString((folder / "chart.png").string()));
    EXPECT_EQ(png.size(), QSize(1600, 1000));
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"), QStringLiteral("72"),
                    QString::fromStdString((folder / "chart.pdf").string()),
                    QString::fromStdString((folder / "from-pdf").string())});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000));
    EXPECT_EQ(QImage(QString::fromStdString((folder / "from-pdf.png").string())).size(), QSize(595, 420))
        << "an A5 page, landscape";
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QString::fromStdString((folder / "chart.pdf").string()), QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString words = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    for (const std::string& entry : {panel->Chart().curveName, panel->Chart().heldName, std::string("Laser")}) {
        EXPECT_TRUE(words.contains(ui::ToQt(entry))) << entry << " in " << words.toStdString();
    }
    // In the picture the legend's lines stand under the plot.
    int inked = 0;
    for (int y = png.height() - 50; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            inked += qGray(png.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 20);

    ClickRow(grid, 0);
    EXPECT_FALSE(list->selectionModel()->hasSelection()) << "the pick moved to the grid";

    // Hidden by the user, the area stays hidden when a row is picked.
    Find<QToolButton>(f.window, "cmdDetails")->click();
    ClickRow(grid, 1);
    EXPECT_FALSE(panel->isVisible());

    QTest::mouseClick(Find<QPushButton>(f.window, "cmdNew"), Qt::LeftButton);
    Find<QRadioButton>(f.window, "optCW")->click();
    Type(f.window, {{"txtBeam1", "2"}, {"txtWaveLenght", "1064"}, {"txtMaxPower", "50"}});
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    Find<QToolButton>(f.window, "cmdDetails")->click();
    ClickRow(grid, 0);
    ASSERT_EQ(panel->Chart().kind, ChartKind::Bars);
    EXPECT_FALSE(panel->Chart().mean);
    const DetailsChart chart = f.model.model.Details().Chart();
    EXPECT_EQ(panel->Chart().laser, chart.laser);
    EXPECT_EQ(panel->Chart().limit, chart.limit);
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-cw-picked.png"));
}

// Safe margins in the window: a ceiling and the conservative threshold rule
// beside the profile; a head a Gaussian beam would not suit is marked in the
// grid, its tooltip saying why; the picked head's chart draws the stretch
// without catalogue points dashed, and the notes say what was assumed.
// 1 mJ in 5 mm is 5.093 mJ/cm²; the power law at 10 ps, 3 mJ/cm² × 10^0.5 =
// 9.487 mJ/cm², makes that 54 %, and a Gaussian centre 107 %.
TEST(DetailsView, TheMarginsTheEngineerSetsAndTheAssumptionsShow) {
    WindowFixture f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value());
    f.window.resize(1600, 1050);
    Find<QRadioButton>(f.window, "optPulsed")->click();
    Type(f.window, {{"txtBeam1", "5"},
                    {"txtWaveLenght", "1064"},
                    {"txtMaxEnergy", "1"},
                    {"txtRepRate", "500"},
                    {"txtPulseWidth", "10"}});
    for (const auto& [list, unit] : {std::pair{"cboMaxEnergy", "mJ"}, {"cboPulseWidth", "ps"}}) {
        auto* units = Find<QComboBox>(f.window, list);
        units->setCurrentIndex(units->findText(QString::fromLatin1(unit)));
        Q_EMIT units->activated(units->currentIndex());
    }
    auto* beam = Find<QLineEdit>(f.window, "txtBeam1");
    EXPECT_TRUE(beam->toolTip().startsWith(QStringLiteral("Uniform: The diameter is the full width of a flat-top")))
        << beam->toolTip().toStdString();
    EXPECT_EQ(beam->accessibleDescription(), beam->toolTip());
    Type(f.window, {{"txtMaxShare", "80%"}});
    EXPECT_EQ(f.model.model.State().MaxShare, "80");
    auto* rule = Find<QComboBox>(f.window, "cboThresholdRule");
    rule->setFocus();
    QTest::keyClick(rule, Qt::Key_Down);  // As listed, then Conservative
    EXPECT_EQ(f.model.model.State().Threshold, ThresholdRule::Conservative);
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);

    auto* grid = Find<QTableView>(f.window, "gridForm");
    ASSERT_EQ(Cell(grid, 0, 0), QStringLiteral("TQ3-10A"));
    EXPECT_EQ(Cell(grid, 0, 1), QStringLiteral("54 %"));
    const QModelIndex name = grid->model()->index(0, 0);
    const QString why = QStringLiteral(
        "With a Gaussian beam of these 1/e\u00B2 sizes: damage threshold 107 % \u2014 "
        "would not suit");
    EXPECT_FALSE(name.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(name.data(Qt::ToolTipRole).toString(), why);
    ClickRow(grid, 0);
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    ASSERT_TRUE(panel->isVisible());
    const std::vector<CurveStretch>& curve = panel->Chart().curve;
    ASSERT_GE(curve.size(), 2u);
    EXPECT_TRUE(curve[0].held);
    EXPECT_EQ(panel->Chart().heldName, "Power law or held");
    EXPECT_FALSE(curve[1].held);
    auto* notes = Find<QLabel>(f.window, "lblDetailsNotes");
    EXPECT_TRUE(notes->isVisible());
    EXPECT_TRUE(notes->text().startsWith(QStringLiteral("Threshold 9.487 mJ/cm\u00B2 at 10 ps: the power law")))
        << notes->text().toStdString();
    EXPECT_TRUE(notes->text().contains(why));
    EXPECT_TRUE(notes->text().contains(QStringLiteral("at most 80 % of each limit")));

    // The screenshot shows the whole details area, and the tooltip drawn
    // over the window beside the mark.
    auto* splitter = f.window.findChild<QSplitter*>(QStringLiteral("splDetails"));
    splitter->setSizes({splitter->height() - 560, 560});
    const QPoint cell = grid->visualRect(name).bottomLeft() + QPoint(12, 4);
    QToolTip::showText(grid->viewport()->mapToGlobal(cell), why, grid->viewport());
    QApplication::processEvents();
    QImage shot = f.window.grab().toImage();
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible()) {
            tip = widget;
        }
    }
    ASSERT_NE(tip, nullptr);
    QPainter painter(&shot);
    painter.drawPixmap(grid->viewport()->mapTo(&f.window, cell), tip->grab());
    painter.end();
    shot.save(ShotPath("details-safe-margins.png"));
    QToolTip::hideText();

    // Out of range, the ceiling is refused with the focus in it.
    auto* share = Find<QLineEdit>(f.window, "txtMaxShare");
    share->selectAll();
    QTest::keyClicks(share, "150");
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    EXPECT_EQ(f.model.messages.shown.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), share);
}

}  // namespace
}  // namespace tavrin
