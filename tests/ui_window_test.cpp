// The windows as a user meets them: what they show and forward to their
// models, the keyboard, the grid's focus, sizing, message boxes, the
// launcher, where the report goes, what is kept for the next run and what
// happens when no program handles mail.
#include "ui_test_support.h"

namespace tavrin {
namespace {

using namespace ui_test;

TEST(MainWindowView, TypingFiltersAndOptionsHideAndShowRows) {
    WindowFixture f;
    Type(f.window, {{"txtBeam1", "12a"}});
    auto* beam = Find<QLineEdit>(f.window, "txtBeam1");
    EXPECT_EQ(beam->text(), QStringLiteral("12"));
    EXPECT_EQ(beam->cursorPosition(), 2);
    EXPECT_EQ(Find<QLabel>(f.window, "lblVArea")->text(), QStringLiteral(" 113.1"));
    EXPECT_EQ(Find<QLabel>(f.window, "lblMArea")->text(), QStringLiteral(" mm2"));
    EXPECT_EQ(Find<QLabel>(f.window, "lblBeam")->text(), QStringLiteral(" Beam Diameter (mm)"));
    auto* energy = Find<QLineEdit>(f.window, "txtMaxEnergy");
    auto* width = Find<QLineEdit>(f.window, "txtBeam2");
    auto* single = Find<QRadioButton>(f.window, "optPowerEnergy");
    EXPECT_FALSE(energy->isVisible());
    EXPECT_FALSE(width->isVisible());
    EXPECT_FALSE(single->isEnabled());
    Find<QRadioButton>(f.window, "optPulsed")->click();
    Find<QRadioButton>(f.window, "optRectangular")->click();
    EXPECT_TRUE(energy->isVisible());
    EXPECT_TRUE(width->isVisible());
    EXPECT_TRUE(single->isEnabled());
    EXPECT_EQ(Find<QLabel>(f.window, "lblPower")->text(), QStringLiteral(" (Max Power)"));
    single->click();
    EXPECT_TRUE(single->isChecked());
    EXPECT_FALSE(Find<QLineEdit>(f.window, "txtMaxPower")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(f.window, "txtRepRate")->text(), QStringLiteral("1"));
    EXPECT_EQ(Find<QComboBox>(f.window, "cboRepRate")->currentText(), QStringLiteral("Single"));
    f.window.grab().save(ShotPath("main-window-single-pulse.png"));
    Find<QRadioButton>(f.window, "optCW")->click();
    EXPECT_FALSE(energy->isVisible());
    EXPECT_TRUE(Find<QRadioButton>(f.window, "optPower")->isChecked());
    EXPECT_EQ(Find<QComboBox>(f.window, "cboRepRate")->count(), 3);
}

// Explore, pick, activate and reset, by mouse and by the keys a desktop user
// expects; one head in view at a time: Tab into the "Why not?" list picks
// nothing, a pick there clears the grid's pick and the resolutions, and Enter
// opens its data sheet. The status line follows; Ctrl+Z undoes Reset Data.
TEST(MainWindowView, ExploreSelectActivateAndReset) {
    const auto folder = test::FreshFolder("ui-explore");
    std::filesystem::create_directories(folder / "pdf");
    test::WriteFile(folder / "pdf" / "TQS 50-2.pdf", "%PDF");
    Catalogue catalogue = OneHead();
    HeadRecord small = test::WideHead("Small");
    small.PowerMax = 1;
    catalogue.Heads.push_back(small);
    WindowFixture f(catalogue, folder);
    TypeCwLaser(f.window);
    auto* print = Find<QPushButton>(f.window, "cmdStampa");
    EXPECT_FALSE(print->isEnabled());
    QTest::keyClick(Find<QLineEdit>(f.window, "txtMaxPower"), Qt::Key_Return);
    EXPECT_EQ(Status(f.window), QStringLiteral("2 heads suit this laser"));
    auto* grid = Find<QTableView>(f.window, "gridForm");
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Damage Threshold"));
    EXPECT_GE(grid->columnWidth(0), 125);  // at least the grid's width, or the banner's over it
    EXPECT_GE(grid->columnWidth(1), 128);  // the last column takes the rest of the grid
    EXPECT_TRUE(print->isEnabled());

    // Giving the grid the focus picks nothing; the first arrow picks the row
    // the focus made current, the next moves on; End picks the last.
    grid->setFocus(Qt::TabFocusReason);
    auto* ardo = Find<QLabel>(f.window, "lblVArdo");
    EXPECT_TRUE(ardo->text().isEmpty());
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(ardo->text(), QStringLiteral("1mW")) << "the first head";
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(ardo->text(), QStringLiteral("a")) << "the second head";
    QTest::keyClick(grid, Qt::Key_Home);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(ardo->text(), QStringLiteral("a")) << "End picks the last head";
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Suitable Heads\tDamage Threshold\t")));

    ClickRow(grid, 0);
    EXPECT_EQ(ardo->text(), QStringLiteral("1mW"));
    EXPECT_EQ(Find<QLabel>(f.window, "lblVRVX")->text(), QStringLiteral("3mW"));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    QApplication::processEvents();  // the details chart lays itself out from the event loop
    f.window.grab().save(ShotPath("main-window-cw-results.png"));
    const QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(f.model.opener.opened.size(), 1u);
    EXPECT_EQ(f.model.opener.opened[0], (folder / "pdf" / "TQS 50-2.pdf").string());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(f.model.opener.opened.size(), 2u);

    // Tab from the grid to the list: the head in view stays the grid's.
    auto* list = Find<QTableView>(f.window, "gridWhyNot");
    ASSERT_EQ(list->model()->rowCount(), 1);
    for (int step = 0; step < 10 && QApplication::focusWidget() != list; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(ardo->text(), QStringLiteral("1mW"));
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    EXPECT_TRUE(panel->Chart().title.starts_with("TQS 50/2")) << panel->Chart().title;
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(ardo->text().isEmpty());
    EXPECT_TRUE(panel->Chart().title.starts_with("Small (not suitable)")) << panel->Chart().title;
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(f.model.opener.opened.size(), 3u) << "no data sheet: the product index, once the user agrees";
    EXPECT_NE(f.model.messages.shown.back().text.find("PDF document"), std::string::npos);

    QTest::keyClick(&f.window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(f.model.printer.printed.size(), 1u);
    EXPECT_EQ(Status(f.window), QString::fromStdString("Report written to " + (folder / "Print.txt").string()));
    auto* details = Find<QWidget>(f.window, "fraDetails");
    EXPECT_TRUE(details->isVisible());
    QTest::keyClick(&f.window, Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(details->isVisible());

    // Reset Data by keyboard: everything goes, the cursor returns to the
    // beam, and Ctrl+Z there brings the laser back.
    auto* reset = Find<QPushButton>(f.window, "cmdNew");
    reset->setFocus();
    QTest::keyClick(reset, Qt::Key_Space);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_FALSE(print->isEnabled());
    auto* beam = Find<QLineEdit>(f.window, "txtBeam1");
    EXPECT_TRUE(beam->text().isEmpty());
    EXPECT_TRUE(ardo->text().isEmpty());
    EXPECT_EQ(f.window.focusWidget(), beam);
    QTest::keyClick(&f.window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(f.model.printer.printed.size(), 1u) << "Print is disabled after a reset";
    auto* undo = f.window.findChild<QAction*>(QStringLiteral("actUndoReset"));
    EXPECT_TRUE(undo->isEnabled());
    QTest::keyClick(beam, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(beam->text(), QStringLiteral("5"));
    EXPECT_EQ(Find<QLineEdit>(f.window, "txtMaxPower")->text(), QStringLiteral("100"));
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClick(&f.window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(f.window.isVisible());
}

TEST(MainWindowView, ValidationMovesTheFocus) {
    WindowFixture f;
    Type(f.window, {{"txtBeam1", "5"}});
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    ASSERT_EQ(f.model.messages.shown.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(f.window, "txtWaveLenght"));
    EXPECT_EQ(f.model.requestWindow.shown, 0);
}

const std::vector<const char*> kEntries = {"txtBeam1",     "txtBeam2",   "txtWaveLenght", "txtMaxPower",
                                           "txtMaxEnergy", "txtRepRate", "txtPulseWidth"};

// Every entry shows the longest number the program writes, whole, at the
// platform's font size and at a much larger one.
TEST(MainWindowView, EntriesShowTheLongestNumberWhole) {
    const QFont platformFont = QApplication::font();
    for (const double points : {platformFont.pointSizeF(), 16.0}) {
        QFont font = platformFont;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        WindowFixture f;
        Find<QRadioButton>(f.window, "optPulsed")->click();
        Find<QRadioButton>(f.window, "optRectangular")->click();
        const QString widest = QString::fromStdString(f.model.model.Numbers().WidestText());
        for (const char* name : kEntries) {
            auto* edit = Find<QLineEdit>(f.window, name);
            const QMargins margins = edit->textMargins();
            const int room = edit->contentsRect().width() - margins.left() - margins.right() - 2 * 2;
            EXPECT_GE(room, edit->fontMetrics().horizontalAdvance(widest)) << name << " at " << points << " pt";
        }
    }
    QApplication::setFont(platformFont);

    // A pulsed laser whose entries hold 17-character values.
    WindowFixture f(OneHead());
    Find<QRadioButton>(f.window, "optPulsed")->click();
    Type(f.window, {{"txtBeam1", "3.141592653589793"},
                    {"txtWaveLenght", "1064.123456789012"},
                    {"txtMaxEnergy", "0.333333333333333"},
                    {"txtRepRate", "1000.000000000001"},
                    {"txtPulseWidth", "10.00000000000001"}});
    EXPECT_EQ(Find<QLineEdit>(f.window, "txtMaxEnergy")->text(), QStringLiteral("0.333333333333333"));
    f.window.grab().save(ShotPath("main-window-pulsed-long-values.png"));
}

// The names of the widgets Tab (or Shift+Tab) visits from the focused one
// until the focus comes back to it.
QStringList WalkTabChain(QWidget& window, bool forward) {
    QStringList walked;
    QWidget* start = QApplication::focusWidget();
    for (int step = 0; step < 100; ++step) {
        QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab);
        QWidget* now = QApplication::focusWidget();
        if (now == start || now == nullptr || !window.isAncestorOf(now)) {
            break;
        }
        walked << now->objectName();
    }
    return walked;
}

// With results and details shown, Tab visits every control in reading order
// and Shift+Tab the same way back, landing in each option frame on its chosen
// option; the tables never keep the keyboard, and a control left out of the
// order (or added later) breaks the walk.
TEST(MainWindowView, TabWalksEveryControlForwardAndBack) {
    WindowFixture f(OneHead());
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(f.window, "txtBeam1"));
    TypeWidestLaser(f.window);
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    auto* grid = Find<QTableView>(f.window, "gridForm");
    ClickRow(grid, 0);
    ASSERT_TRUE(Find<QWidget>(f.window, "fraDetails")->isVisible());
    Find<QLineEdit>(f.window, "txtBeam1")->setFocus();

    const QStringList expected = {"txtBeam2",      "cboProfile",    "txtMaxShare",    "cboThresholdRule", "txtWaveLenght", "cboWavelenght", "txtMaxPower",
                                  "cboMaxPower",   "txtMaxEnergy",  "cboMaxEnergy",   "txtRepRate",    "cboRepRate",
                                  "txtPulseWidth", "cboPulseWidth", "cmdDettagli",    "cmdNew",        "gridForm",
                                  "cmdDetails",    "chtDetails",    "cmdSaveChart",   "picUsage",      "gridWhyNot",
                                  "cmdTQS",        "cmdGDK",        "cmdVMS",         "cmdVMT",        "cmdZR",
                                  "cmdUVC",        "cmdUVA",        "cmdTQ",          "cmdStampa",     "cmdExit",
                                  "Image1",        "optPulsed",     "optRectangular", "optPower",      "optPowerMeter"};
    // A screen reader announces each entry by its caption and unit.
    for (const auto& [name, announced] : {std::pair{"txtBeam1", "Beam length L, mm"},
                                          {"txtBeam2", "Beam width W, mm"},
                                          {"txtWaveLenght", "WaveLength, nm"},
                                          {"txtMaxPower", "Max Power, W"},
                                          {"txtMaxEnergy", "Max Energy, J"},
                                          {"txtRepRate", "Rep Rate, Hz"},
                                          {"txtPulseWidth", "Pulse Width, ms"},
                                          {"cboMaxEnergy", "Max Energy unit"}}) {
        EXPECT_EQ(Find<QWidget>(f.window, name)->accessibleName().toStdString(), announced);
    }

    const auto joined = [](const QStringList& names) { return names.join(QLatin1Char(' ')).toStdString(); };
    EXPECT_EQ(joined(WalkTabChain(f.window, true)), joined(expected));
    EXPECT_EQ(joined(WalkTabChain(f.window, false)), joined(QStringList(expected.rbegin(), expected.rend())));

    // Every control that takes the focus is on the walk; in a frame of
    // options Tab stops once, and the arrows choose.
    const auto stop = [](const QWidget* widget) {
        return qobject_cast<const QRadioButton*>(widget) != nullptr ? widget->parentWidget()->objectName()
                                                                    : widget->objectName();
    };
    QStringList focusable;
    for (const QWidget* widget : f.window.findChildren<QWidget*>()) {
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
            widget->focusProxy() == nullptr) {
            focusable << stop(widget);
        }
    }
    focusable.removeDuplicates();
    focusable.sort();
    QStringList walked = {QStringLiteral("txtBeam1")};
    for (const QString& name : expected) {
        walked << stop(Find<QWidget>(f.window, name.toLatin1().constData()));
    }
    walked.removeDuplicates();
    walked.sort();
    EXPECT_EQ(joined(focusable), joined(walked));
}

// Enter explores from an entry, a unit list or an option; on a push button it
// presses that button and nothing else.
TEST(MainWindowView, EnterDoesWhatTheFocusedControlSays) {
    WindowFixture f;
    auto& messages = f.model.messages.shown;
    std::size_t searches = 0;
    for (const char* name : {"txtBeam1", "cboWavelenght", "optCW"}) {
        QWidget* control = f.window.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        EXPECT_EQ(messages.size(), ++searches) << name << ": Enter explores (and is told the data is missing)";
    }
    Type(f.window, {{"txtBeam1", "5"}});
    auto* reset = Find<QPushButton>(f.window, "cmdNew");
    reset->setFocus();
    QTest::keyClick(reset, Qt::Key_Return);
    EXPECT_TRUE(Find<QLineEdit>(f.window, "txtBeam1")->text().isEmpty());
    auto* picture = Find<QToolButton>(f.window, "Image1");
    picture->setFocus();
    QTest::keyClick(picture, Qt::Key_Enter);
    EXPECT_EQ(f.model.opener.opened.size(), 1u);
    auto* quit = Find<QPushButton>(f.window, "cmdExit");
    quit->setFocus();
    QTest::keyClick(quit, Qt::Key_Return);
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_EQ(messages.size(), searches) << "no button ran a search";
}

// cut short.
void ExpectNothingCutAtTheSide(ui::MainWindow& window, const std::string& where) {
    for (const QScrollArea* pane : window.findChildren<QScrollArea*>()) {
        EXPECT_FALSE(pane->isVisible() && pane->horizontalScrollBar()->isVisible())
            << where << ": " << pane->objectName().toStdString() << " scrolls sideways";
    }
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const bool captioned = qobject_cast<const QLabel*>(widget) != nullptr ||
                               qobject_cast<const QAbstractButton*>(widget) != nullptr ||
                               qobject_cast<const QComboBox*>(widget) != nullptr;
        if (captioned && widget->isVisible() && !widget->objectName().isEmpty()) {
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                << where << ": " << widget->objectName().toStdString();
        }
    }
}

// A laptop, a netbook and a desk's screen, each less a window manager's
// frame: the window takes the screen, nothing scrolls sideways or is cut,
// round or rectangular, with the details open or closed; the chart has at
// least half the details area, and a large screen's room goes to it.
TEST(MainWindowView, FitsEachScreen) {
    struct Screen {
        QSize size;
        const char* shot;
        int chartWidth;  // at least
    };
    for (const Screen& screen :
         {Screen{{1280, 720}, "main-window-1280x720.png", 300}, Screen{{1024, 600}, "main-window-1024x600.png", 250},
          Screen{{1920, 1080}, "main-window-1920x1080.png", 700}}) {
        const std::string where = std::to_string(screen.size.width()) + "x" + std::to_string(screen.size.height());
        WindowFixture f(LoadCatalogue(TAVRIN_PROGRAM_DIR).Value());
        f.window.FitTo(QRect(QPoint(0, 0), screen.size));
        const QMargins frame = f.window.FrameMargins();
        EXPECT_EQ(f.window.size() + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()), screen.size)
            << where;
        const QSize windowSize = f.window.size();
        auto* grid = Find<QTableView>(f.window, "gridForm");
        for (const bool rectangular : {false, true}) {
            Find<QRadioButton>(f.window, rectangular ? "optRectangular" : "optCircular")->click();
            TypeShippedPulsedLaser(f.window);
            if (rectangular) {
                Type(f.window, {{"txtBeam2", "6"}});
            }
            QTest::keyClick(&f.window, Qt::Key_F5);
            QApplication::processEvents();
            ExpectNothingCutAtTheSide(f.window, where + " details closed");
            ClickRow(grid, 0);
            QApplication::processEvents();
            QApplication::processEvents();  // the panes' contents lay themselves out after the panes
            ExpectNothingCutAtTheSide(f.window, where + " details open");
            EXPECT_EQ(f.window.size(), windowSize) << "rows or details never grow the window";
            QTest::mouseClick(Find<QPushButton>(f.window, "cmdNew"), Qt::LeftButton);
        }
        TypeShippedPulsedLaser(f.window);
        Type(f.window, {{"txtBeam2", "6"}});
        QTest::keyClick(&f.window, Qt::Key_F5);
        ClickRow(grid, 0);
        QApplication::processEvents();
        QApplication::processEvents();
        auto* chart = Find<QWidget>(f.window, "chtDetails");
        EXPECT_GE(2 * chart->width(), Find<QWidget>(f.window, "fraDetails")->width() - 20) << where;
        EXPECT_GE(chart->width(), screen.chartWidth) << where;
        // The grid's banners stand over its columns.
        auto* heads = Find<QLabel>(f.window, "lblAvailableHeads");
        EXPECT_EQ(heads->width(), grid->columnWidth(0) + grid->frameWidth());
        EXPECT_EQ(heads->mapTo(&f.window, QPoint()).x(), grid->mapTo(&f.window, QPoint()).x());
        f.window.grab().save(ShotPath(screen.shot));
    }
}

// A beam of 0 mm is filled in but cannot be searched with: the box says so
// and the cursor goes back to the beam.
TEST(MainWindowView, AValueTheSearchCannotUseIsToldInABox) {
    ui::QtMessageBoxService messages;
    test::RecordingOpener opener;
    test::RecordingRequestWindow requests;
    test::RecordingPrinter printer;
    MainWindowModel model(OneHead(), std::filesystem::temp_directory_path(), '.',
                          MainWindowServices{messages, opener, requests, printer});
    ui::MainWindow window(model);
    messages.SetParent(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Type(window, {{"txtBeam1", "0"}, {"txtWaveLenght", "1064"}, {"txtMaxPower", "100"}});
    const SeenBox seen =
        SeeModalBox([&window] { QTest::mouseClick(Find<QPushButton>(window, "cmdDettagli"), Qt::LeftButton); },
                    "validation-beam-zero.png");
    EXPECT_EQ(seen.text, QStringLiteral("Sorry, the beam diameter must be greater than 0 mm."));
    EXPECT_EQ(window.focusWidget(), Find<QLineEdit>(window, "txtBeam1"));
    EXPECT_EQ(requests.shown, 0);
}

}  // namespace
}  // namespace tavrin

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The settings the windows keep go to a folder of this test program's own.
    const std::string settings = "ui-settings-" + std::to_string(QCoreApplication::applicationPid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(tavrin::test::FreshFolder(settings).string()));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
