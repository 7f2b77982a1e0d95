// The windows as a user meets them: what they show and forward to their
// models, the keyboard, the grid's focus, sizing, message boxes, the
// launcher, the details area, where the report goes and what happens when no
// program handles mail.
#include <gtest/gtest.h>

#include <QAbstractSeries>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>
#include <QXYSeries>
#include <initializer_list>
#include <utility>

#include "catalogue/catalogue.h"
#include "catalogue/head_catalogue.h"
#include "test_support.h"
#include "ui/desktop_program.h"
#include "ui/desktop_session.h"
#include "ui/details_panel.h"
#include "ui/launcher_window.h"
#include "ui/main_window.h"
#include "ui/qt_mail.h"
#include "ui/qt_printing.h"
#include "ui/qt_services.h"
#include "ui/request_dialog.h"
#include "ui/usage_bars.h"

namespace tavrin {
namespace {

template <typename T>
T* Find(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Screenshots land in the build folder, to be looked at.
QString ShotPath(const char* name) {
    return QStringLiteral(TAVRIN_BUILD_DIR "/") + QString::fromLatin1(name);
}

// Types into each entry key by key, as a user does.
void Type(QWidget& window, std::initializer_list<std::pair<const char*, const char*>> texts) {
    for (const auto& [edit, text] : texts) {
        auto* line = Find<QLineEdit>(window, edit);
        line->setFocus();
        QTest::keyClicks(line, QString::fromUtf8(text));
    }
}

// A CW laser of 100 W in a 5 mm beam at 1064 nm.
void TypeCwLaser(QWidget& window) {
    Type(window, {{"txtBeam1", "5"}, {"txtWaveLenght", "1064"}, {"txtMaxPower", "100"}});
}

void ClickRow(QTableView* table, int row) {
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

QString Cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

// The laser with the most entries shown: pulsed, a 5 x 4 mm rectangle, 1 J at 1 Hz, 10 ms.
void TypeWidestLaser(QWidget& window) {
    Find<QRadioButton>(window, "optPulsed")->click();
    Find<QRadioButton>(window, "optRectangular")->click();
    Type(window, {{"txtBeam1", "5"},
                  {"txtBeam2", "4"},
                  {"txtWaveLenght", "1064"},
                  {"txtMaxEnergy", "1"},
                  {"txtRepRate", "1"},
                  {"txtPulseWidth", "10"}});
}

// A shown main window over a model with recording services.
struct WindowFixture {
    explicit WindowFixture(Catalogue catalogue = {},
                           std::filesystem::path folder = std::filesystem::temp_directory_path(), char decimal = '.')
        : model(std::move(catalogue), decimal, std::move(folder)), window(model.model) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    test::ModelFixture model;
    ui::MainWindow window;
};

// "TQS 50/2" with resolutions for Ardo and RVX, and a second head.
Catalogue OneHead() {
    HeadRecord head = test::WideHead("TQS 50/2");
    head.ResArdo = "1mW";
    head.ResRVX = "3mW";
    return {{head, test::WideHead("Second")}, test::UniformCoatings(1000)};
}

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
// expects; one head in view at a time: a pick in the "Why not?" list clears
// the grid's pick and the resolutions, and Enter opens its data sheet.
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
    auto* grid = Find<QTableView>(f.window, "gridForm");
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Damage Threshold"));
    EXPECT_GE(grid->columnWidth(0), 125);  // at least the grid's width, or the banner's over it
    EXPECT_GE(grid->columnWidth(1), 128);  // the last column takes the rest of the grid
    EXPECT_TRUE(print->isEnabled());

    // Giving the grid the focus picks nothing; an arrow key picks a row, End the last.
    grid->setFocus(Qt::TabFocusReason);
    auto* ardo = Find<QLabel>(f.window, "lblVArdo");
    EXPECT_TRUE(ardo->text().isEmpty());
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(ardo->text(), QStringLiteral("a")) << "the second head";
    QTest::keyClick(grid, Qt::Key_Home);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(ardo->text(), QStringLiteral("a")) << "End picks the last head";

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

    auto* list = Find<QTableView>(f.window, "gridWhyNot");
    ASSERT_EQ(list->model()->rowCount(), 1);
    ClickRow(list, 0);
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(ardo->text().isEmpty());
    auto* chart = f.window.findChild<QChartView*>(QStringLiteral("chtDetails"));
    EXPECT_TRUE(chart->chart()->title().startsWith(QStringLiteral("Small (not suitable)")))
        << chart->chart()->title().toStdString();
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(f.model.opener.opened.size(), 3u) << "no data sheet: the product index, once the user agrees";
    EXPECT_NE(f.model.messages.shown.back().text.find("PDF document"), std::string::npos);

    QTest::keyClick(&f.window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(f.model.printer.printed.size(), 1u);
    auto* details = Find<QWidget>(f.window, "fraDetails");
    EXPECT_TRUE(details->isVisible());
    QTest::keyClick(&f.window, Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(details->isVisible());

    // Reset Data by keyboard: everything goes, the cursor returns to the beam.
    auto* reset = Find<QPushButton>(f.window, "cmdNew");
    reset->setFocus();
    QTest::keyClick(reset, Qt::Key_Space);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_FALSE(print->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(f.window, "txtBeam1")->text().isEmpty());
    EXPECT_TRUE(ardo->text().isEmpty());
    EXPECT_EQ(f.window.focusWidget(), Find<QLineEdit>(f.window, "txtBeam1"));
    QTest::keyClick(&f.window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(f.model.printer.printed.size(), 1u) << "Print is disabled after a reset";
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

TEST(RequestWindowView, ExploreWithoutResultOpensItModally) {
    test::RecordingMessages messages;
    test::RecordingOpener opener;
    test::RecordingPrinter printer;
    ui::QtRequestWindow requestWindow(nullptr, messages);
    MainWindowModel model(Catalogue{}, std::filesystem::temp_directory_path(), '.',
                          MainWindowServices{messages, opener, requestWindow, printer});
    ui::MainWindow window(model);
    requestWindow.SetOwner(&window);
    window.show();
    TypeCwLaser(window);
    QString title;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        modal = dialog->isModal();
        EXPECT_EQ(dialog->size(), QSize(400, 213));
        dialog->grab().save(ShotPath("request-window.png"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::mouseClick(Find<QPushButton>(window, "cmdDettagli"), Qt::LeftButton);
    EXPECT_EQ(title, QStringLiteral("TAVRIN'S HELP"));
    EXPECT_TRUE(modal);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(Find<QPushButton>(window, "cmdStampa")->isEnabled());
}

TEST(ReportPrinting, PdfKeepsTheTableAligned) {
    const auto folder = test::FreshFolder("ui-pdf");
    test::ModelFixture f(OneHead(), '.', folder);
    test::TypeTexts(f.model, {{EntryId::Beam1, "5"}, {EntryId::WaveLength, "1064"}, {EntryId::MaxPower, "100"}});
    f.model.Explore();
    f.model.Print();
    ASSERT_EQ(f.printer.printed.size(), 1u);
    const QString pdf = QString::fromStdString((folder / "report.pdf").string());
    {
        QPdfWriter writer(pdf);
        ui::PrintReportOn(writer, f.printer.printed[0]);
    }
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(10000));
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    int header = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QStringLiteral("Suitable Heads"))) {
            header = i;
        }
    }
    ASSERT_GE(header, 0);
    ASSERT_GT(lines.size(), header + 1);
    const QString& head = lines[header];
    const QString& row = lines[header + 1];
    EXPECT_EQ(head.indexOf(QStringLiteral("Ardo")) - head.indexOf(QStringLiteral("Suitable")),
              row.indexOf(QStringLiteral("1mW")) - row.indexOf(QStringLiteral("TQS")));
    EXPECT_EQ(head.indexOf(QStringLiteral("RVX 300")) - head.indexOf(QStringLiteral("Suitable")),
              row.indexOf(QStringLiteral("3mW")) - row.indexOf(QStringLiteral("TQS")));
}

TEST(LauncherView, TavrinOpensTheMainWindowAndClosesTheLauncher) {
    test::RecordingMessages messages;
    test::RecordingOpener opener;
    int started = 0;
    ui::LauncherWindow launcher(test::FreshFolder("ui-launcher"), opener, messages, [&started] {
        ++started;
        return true;
    });
    launcher.show();
    launcher.grab().save(ShotPath("launcher.png"));
    EXPECT_EQ(launcher.windowTitle(), QStringLiteral("Tavrin"));
    QTest::mouseClick(Find<QPushButton>(launcher, "cmdTavrin"), Qt::LeftButton);
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(launcher.isVisible());
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
// and Shift+Tab the same way back; the tables never keep the keyboard, and a
// control left out of the order (or added later) breaks the walk.
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

    const QStringList expected = {
        "txtBeam2",      "cboProfile",    "txtMaxShare",  "cboThresholdRule", "txtWaveLenght", "cboWavelenght",
        "txtMaxPower",   "cboMaxPower",   "txtMaxEnergy", "cboMaxEnergy",     "txtRepRate",    "cboRepRate",
        "txtPulseWidth", "cboPulseWidth", "cmdDettagli",  "cmdNew",           "gridForm",      "cmdDetails",
        "chtDetails",    "cmdSaveChart",  "gridWhyNot",   "cmdTQS",           "cmdGDK",        "cmdVMS",
        "cmdVMT",        "cmdZR",         "cmdUVC",       "cmdUVA",           "cmdTQ",         "cmdStampa",
        "cmdExit",       "Image1",        "optCW",        "optCircular",      "optPower",      "optPowerMeter"};
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

// The grid takes the room of a larger window and its banners stand over its
// columns; more rows or the details area never grow the window.
TEST(MainWindowView, TheGridTakesTheRoomAndTheWindowKeepsItsSize) {
    WindowFixture f(OneHead());
    auto* grid = Find<QTableView>(f.window, "gridForm");
    f.window.resize(1200, 700);
    QApplication::processEvents();
    QApplication::processEvents();
    const QSize gridBefore = grid->size();
    const QSize sizeAtStart = f.window.size();
    Find<QRadioButton>(f.window, "optPulsed")->click();
    Find<QToolButton>(f.window, "cmdDetails")->click();
    EXPECT_EQ(f.window.size(), sizeAtStart);
    Find<QToolButton>(f.window, "cmdDetails")->click();
    Find<QRadioButton>(f.window, "optCW")->click();

    f.window.resize(f.window.width() + 300, f.window.height() + 200);
    QApplication::processEvents();
    QApplication::processEvents();  // the panes' contents lay themselves out after the panes
    EXPECT_GE(grid->width(), gridBefore.width() + 250);
    EXPECT_GE(grid->height(), gridBefore.height() + 150);
    const int lastColumn = grid->model()->columnCount() - 1;
    EXPECT_EQ(grid->columnViewportPosition(lastColumn) + grid->columnWidth(lastColumn), grid->viewport()->width());
    auto* heads = Find<QLabel>(f.window, "lblAvailableHeads");
    EXPECT_EQ(heads->width(), grid->columnWidth(0) + grid->frameWidth());
    EXPECT_EQ(heads->mapTo(&f.window, QPoint()).x(), grid->mapTo(&f.window, QPoint()).x());
    f.window.grab().save(ShotPath("main-window-resized.png"));
}

// A place and size kept from a larger screen, an unplugged monitor or an
// edited file opens the window on this screen and no larger than it (or
// than the window's least size); a kept geometry that fits stays as it was.
TEST(MainWindowView, AKeptGeometryIsBoundedToTheScreen) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    test::ModelFixture probe;
    const QSize least = ui::MainWindow(probe.model).minimumSizeHint();
    struct Case {
        QRect kept;
        bool fits;
    };
    const Case cases[] = {{{0, 0, 20000, 20000}, false},
                          {{32767, 32767, 32767, 32767}, false},
                          {{-30000, 100, least.width(), least.height()}, false},
                          {{available.topLeft() + QPoint(10, 20), least},
                           available.width() >= least.width() + 10 && available.height() >= least.height() + 20}};
    const QString file = QString::fromStdString((test::FreshFolder("kept-layout") / "layout.conf").string());
    for (const Case& c : cases) {
        test::ModelFixture model;
        QSettings settings(file, QSettings::IniFormat);
        {
            ui::MainWindow before(model.model);
            before.setGeometry(c.kept);
            before.SaveLayout(settings);
        }
        ui::MainWindow window(model.model);
        ASSERT_TRUE(window.RestoreLayout(settings));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QString what =
            QStringLiteral("%1,%2 %3x%4").arg(c.kept.x()).arg(c.kept.y()).arg(c.kept.width()).arg(c.kept.height());
        EXPECT_LE(window.width(), std::max(available.width(), least.width())) << what.toStdString();
        EXPECT_LE(window.height(), std::max(available.height(), least.height())) << what.toStdString();
        EXPECT_TRUE(available.contains(window.frameGeometry().topLeft())) << what.toStdString();
        if (c.fits) {
            EXPECT_EQ(window.geometry(), c.kept) << what.toStdString();
        }
    }
}

// On a 1280 x 720 screen with a panel, the widest laser (pulsed, rectangular)
// with the details open: nothing needs to scroll sideways, no caption is cut,
// and a larger window gives its room to the grid, the chart and the list.
TEST(MainWindowView, FitsALaptopScreen) {
    WindowFixture f(OneHead());
    TypeWidestLaser(f.window);
    QTest::keyClick(&f.window, Qt::Key_F5);
    ClickRow(Find<QTableView>(f.window, "gridForm"), 0);
    const QSize least = f.window.minimumSizeHint();
    EXPECT_LE(least.width(), 1280);
    EXPECT_LE(least.height(), 680);

    f.window.resize(1280, 680);
    QApplication::processEvents();
    QApplication::processEvents();
    auto* inputsPane = Find<QScrollArea>(f.window, "scrInputs");
    EXPECT_FALSE(inputsPane->horizontalScrollBar()->isVisible())
        << inputsPane->widget()->minimumSizeHint().width() << " in " << inputsPane->viewport()->width();
    EXPECT_FALSE(Find<QScrollArea>(f.window, "scrDetails")->horizontalScrollBar()->isVisible());
    for (const QWidget* widget : f.window.findChildren<QWidget*>()) {
        const bool captioned = qobject_cast<const QLabel*>(widget) != nullptr ||
                               qobject_cast<const QAbstractButton*>(widget) != nullptr ||
                               qobject_cast<const QComboBox*>(widget) != nullptr;
        if (captioned && widget->isVisible() && !widget->objectName().isEmpty()) {
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << widget->objectName().toStdString();
        }
    }
    f.window.grab().save(ShotPath("main-window-1280x680.png"));

    auto* chart = Find<QWidget>(f.window, "chtDetails");
    auto* list = Find<QWidget>(f.window, "gridWhyNot");
    auto* grid = Find<QWidget>(f.window, "gridForm");
    const QSize chartBefore = chart->size();
    const QSize listBefore = list->size();
    const QSize gridBefore = grid->size();
    f.window.resize(1920, 1050);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_GT(chart->width(), chartBefore.width());
    EXPECT_GT(chart->height(), chartBefore.height());
    EXPECT_GT(list->width(), listBefore.width());
    EXPECT_GT(grid->height(), gridBefore.height());
}

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
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-comma-1280x680.png"));
}

// Every bar's caption and text have room, in bold where the bar is the
// tightest or beyond its limit: "Product type ... does not match" is not cut.
TEST(DetailsView, UsageBarsLeaveRoomForEveryText) {
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

// Runs `show`, which opens a modal box, and returns the box's geometry and text.
struct SeenBox {
    QRect geometry;
    QString text;
};
SeenBox SeeModalBox(const std::function<void()>& show, const char* screenshot = nullptr) {
    SeenBox seen;
    QTimer::singleShot(0, [&seen, screenshot] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen = {box->frameGeometry(), box->text()};
        if (screenshot != nullptr) {
            box->grab().save(ShotPath(screenshot));
        }
        box->accept();
    });
    show();
    return seen;
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

TEST(MessageBoxes, OpenCentredOverTheirWindow) {
    QWidget owner;
    owner.setGeometry(200, 150, 800, 600);
    owner.show();
    ui::QtMessageBoxService messages(&owner);
    const SeenBox seen = SeeModalBox([&messages] { messages.Show(Message{"Centred?", "Tavrin"}); });
    EXPECT_LE((seen.geometry.center() - owner.frameGeometry().center()).manhattanLength(), 4);
}

TEST(LauncherView, EnterPressesTheFocusedButtonAndAMissingCatalogueEndsWithAStatus) {
    const auto folder = test::FreshFolder("ui-launcher-keys");
    test::WriteFile(folder / "CV-Tavrin.txt", "guide");
    test::RecordingMessages messages;
    test::RecordingOpener opener;
    ui::LauncherWindow launcher(folder, opener, messages, [] { return false; });
    launcher.show();
    auto* info = Find<QPushButton>(launcher, "cmdInfo");
    info->setFocus();
    QTest::keyClick(info, Qt::Key_Return);
    EXPECT_EQ(opener.opened.size(), 1u);
    QTimer::singleShot(0, [&launcher] { Find<QPushButton>(launcher, "cmdTavrin")->click(); });
    EXPECT_EQ(QApplication::exec(), ui::kCatalogueMissingExit);
    QTest::mouseClick(Find<QPushButton>(launcher, "cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(launcher.isVisible());
}

// An installed copy cannot write its program folder: Print.txt goes to the
// freedesktop data home, and the user is told once.
TEST(DesktopSessionView, PrintKeepsTheReportInTheDataHomeWhenTheFolderIsReadOnly) {
    const auto folder = test::FreshFolder("ui-read-only");
    std::filesystem::create_directories(folder / "program");
    for (const char* file : {"Heads.Dat", "Coatings.Dat"}) {
        std::filesystem::copy_file(std::filesystem::path(TAVRIN_BUILD_DIR) / "program" / file,
                                   folder / "program" / file);
    }
    std::filesystem::create_directories(folder / "program" / "Print.txt");  // cannot be replaced by a file
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((folder / "data").string()));
    auto session = ui::DesktopSession::Start(folder / "program");
    ASSERT_NE(session, nullptr);
    // The printer dialog and the message box are modal: close each as it opens.
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&seen] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen << box->text();
            }
            modal->close();
        }
    });
    closer.start(20);
    session->Model().Print();
    session->Model().Print();
    closer.stop();
    qunsetenv("XDG_DATA_HOME");
    const auto kept = folder / "data" / "cv-tavrin" / "Print.txt";
    EXPECT_TRUE(std::filesystem::is_regular_file(kept));
    EXPECT_EQ(seen, QStringList{QString::fromStdString(
                        "The program folder cannot be written, so the report is kept in " + kept.string() + ".")});
}

// Programs on a test PATH stand in for the desktop's MIME query, opener and
// mail composer; each records its arguments.
class MailRoutes : public testing::Test {
protected:
    void SetUp() override {
        bin = test::FreshFolder(testing::UnitTest::GetInstance()->current_test_info()->name()) / "bin";
        for (const char* program : {"xdg-open", "xdg-email"}) {
            StandIn(program, std::string("printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/") + program + ".args\"");
        }
        path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.string()) + ":" + path);
    }
    void TearDown() override { qputenv("PATH", path); }

    void StandIn(const char* program, const std::string& body) {
        test::WriteFile(bin / program, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(bin / program, std::filesystem::perms::owner_all);
    }
    void HandlerIs(const std::string& desktopFile) { StandIn("xdg-mime", "echo '" + desktopFile + "'"); }
    [[nodiscard]] bool Ran(const char* program) const {
        return std::filesystem::exists(bin / (std::string(program) + ".args"));
    }

    std::filesystem::path bin;
    QByteArray path;
};

TEST_F(MailRoutes, AMailProgramGetsThePrefilledMessage) {
    HandlerIs("mail.desktop");
    const std::string body = "line one\r\nline \u2019two\u2019 & ? # %";
    EXPECT_TRUE(ui::MailtoRoute().Send(RequestMail(body)));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Ran("xdg-open"); }, 5000));
    const std::string url = test::ReadFile(bin / "xdg-open.args");
    EXPECT_EQ(url, MailtoUrl(RequestMail(body)) + "\n");
    EXPECT_TRUE(ui::ComposerRoute().Send(RequestMail(body)));
    EXPECT_FALSE(ui::ComposerRoute(QStringLiteral("/nonexistent/xdg-email")).Send(RequestMail(body)));
}

TEST_F(MailRoutes, WithNoMailProgramTheRequestGoesToTheClipboard) {
    HandlerIs("");
    ui::QtMessageBoxService messages;
    ui::RequestDialog dialog("the request", messages);
    EXPECT_EQ(Find<QLabel>(dialog, "lblInfo")->geometry(), QRect(2, 8, 395, 129));
    EXPECT_EQ(Find<QPushButton>(dialog, "cmdCancel")->geometry(), QRect(294, 176, 99, 31));
    dialog.show();
    const SeenBox seen = SeeModalBox(
        [&dialog] { QTest::mouseClick(Find<QPushButton>(dialog, "cmdSend"), Qt::LeftButton); }, "mail-not-sent.png");
    EXPECT_EQ(seen.text, QStringLiteral("Email not sent!\nThe request text has been put on the clipboard: paste it "
                                        "into a message to sales@corvane.example."));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the request"));
    EXPECT_FALSE(Ran("xdg-open") || Ran("xdg-email"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// ---- the details area ------------------------------------------------------------

// A 10 ns, 200 mJ laser at 10 Hz on an 8 mm beam, which some shipped heads
// take and others refuse on the threshold or the aperture.
void TypeShippedPulsedLaser(QWidget& window) {
    Find<QRadioButton>(window, "optPulsed")->click();
    Type(window, {{"txtBeam1", "8"},
                  {"txtWaveLenght", "1064"},
                  {"txtMaxEnergy", "0.2"},
                  {"txtRepRate", "10"},
                  {"txtPulseWidth", "0.00001"}});
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
    const auto series = panel->Chart()->series();
    ASSERT_EQ(series.size(), 4) << "the curve's dashed and solid stretches, the peak, the mean";
    EXPECT_EQ(static_cast<QScatterSeries*>(series[2])->at(0),
              QPointF(std::log10(*laser.pulseWidth), std::log10(laser.energyDensity)));
    EXPECT_EQ(static_cast<QScatterSeries*>(series[3])->at(0),
              QPointF(std::log10(*laser.pulseWidth), std::log10(laser.energyDensity / 2)));
    EXPECT_EQ(series[3]->name(), QStringLiteral("Laser mean"));
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
    f.window.resize(1366, 740);  // a laptop's screen less its panel
    TypeShippedPulsedLaser(f.window);
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    auto* grid = Find<QTableView>(f.window, "gridForm");
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    EXPECT_FALSE(panel->isVisible()) << "nothing picked yet";
    ClickRow(grid, 1);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->Chart()->title().startsWith(Cell(grid, 1, 0))) << panel->Chart()->title().toStdString();
    const auto& laser = f.model.model.Details().Details()->operatingPoint;
    const auto series = panel->Chart()->series();
    ASSERT_EQ(series.size(), 3);
    EXPECT_EQ(static_cast<QXYSeries*>(series[0])->count() + static_cast<QXYSeries*>(series[1])->count(), 122)
        << "1 ps to 100 ps dashed, on to 1 s solid, 10 points a decade";
    const auto* point = static_cast<QScatterSeries*>(series[2]);
    ASSERT_EQ(point->count(), 1);
    EXPECT_EQ(point->at(0), QPointF(std::log10(*laser.pulseWidth), std::log10(laser.energyDensity)));
    EXPECT_TRUE(panel->ChartView()->accessibleName().endsWith(QStringLiteral("% of the threshold")))
        << panel->ChartView()->accessibleName().toStdString();
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
    EXPECT_TRUE(panel->Chart()->title().startsWith(Cell(list, 0, 0)));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, {}));
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-why-not.png"));

    // The saved files hold the whole chart: the PNG at twice the screen's
    // resolution matches the PDF drawn at the same size; the SVG stays small.
    const auto folder = test::FreshFolder("chart-files");
    for (const auto& [file, format, start] : {std::tuple{"chart.png", ChartFormat::Png, "\x89PNG"},
                                              {"chart.svg", ChartFormat::Svg, "<?xml"},
                                              {"chart.pdf", ChartFormat::Pdf, "%PDF"}}) {
        const auto bytes = panel->RenderChart(format);
        ASSERT_TRUE(bytes) << file;
        EXPECT_EQ(bytes->rfind(start, 0), 0u) << file;
        test::WriteFile(folder / file, *bytes);
    }
    EXPECT_LT(std::filesystem::file_size(folder / "chart.svg"), 500'000u);
    const QImage png(QString::fromStdString((folder / "chart.png").string()));
    const QSize view = panel->ChartView()->size();
    EXPECT_EQ(png.size(), view * 2);
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-scale-to-x"),
                    QString::number(png.width()), QStringLiteral("-scale-to-y"), QString::number(png.height()),
                    QString::fromStdString((folder / "chart.pdf").string()),
                    QString::fromStdString((folder / "from-pdf").string())});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000));
    const QImage pdf(QString::fromStdString((folder / "from-pdf.png").string()));
    ASSERT_FALSE(pdf.isNull());
    const QSize small(view.width() / 4, view.height() / 4);
    const QImage a =
        png.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_Grayscale8);
    const QImage b =
        pdf.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_Grayscale8);
    double difference = 0;
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            difference += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
        }
    }
    EXPECT_LT(difference / (small.width() * small.height()), 12.0) << "mean grey difference of PNG and PDF";

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
    const auto sets = static_cast<QBarSeries*>(panel->Chart()->series().at(0))->barSets();
    ASSERT_EQ(sets.size(), 2);
    const DetailsChart chart = f.model.model.Details().Chart();
    EXPECT_EQ(sets[0]->at(0), chart.laser);
    EXPECT_EQ(sets[1]->at(0), chart.limit);
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
    const auto series = panel->Chart()->series();
    ASSERT_GE(series.size(), 3);
    const auto* dashed = static_cast<QLineSeries*>(series[0]);
    EXPECT_EQ(dashed->pen().style(), Qt::DashLine);
    EXPECT_EQ(dashed->name(), QStringLiteral("Power law or held"));
    EXPECT_EQ(static_cast<QLineSeries*>(series[1])->pen().style(), Qt::SolidLine);
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
