// The windows as a user meets them: what they show and forward to their
// models, the keyboard, the grid's focus, sizing, message boxes, the
// launcher, the details area, where the report goes and what happens when no
// program handles mail.
#include <gtest/gtest.h>

#include <QAbstractSeries>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QXYSeries>
#include <initializer_list>
#include <map>
#include <utility>

#include "catalogue/catalogue.h"
#include "catalogue/head_catalogue.h"
#include "test_support.h"
#include "ui/chart_legend.h"
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

// The status line's text, as a screen reader reads it.
QString Status(ui::MainWindow& window) {
    return QAccessible::queryAccessibleInterface(window.statusBar())->text(QAccessible::Name);
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
    auto* chart = f.window.findChild<QChartView*>(QStringLiteral("chtDetails"));
    EXPECT_TRUE(chart->chart()->title().startsWith(QStringLiteral("TQS 50/2"))) << chart->chart()->title().toStdString();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(ardo->text().isEmpty());
    EXPECT_TRUE(chart->chart()->title().startsWith(QStringLiteral("Small (not suitable)")))
        << chart->chart()->title().toStdString();
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

    const QStringList expected = {
        "txtBeam2",     "cboProfile", "txtWaveLenght", "cboWavelenght", "txtMaxPower",   "cboMaxPower",  "txtMaxEnergy",
        "cboMaxEnergy", "txtRepRate", "cboRepRate",    "txtPulseWidth", "cboPulseWidth", "cmdDettagli",  "cmdNew",
        "gridForm",     "cmdDetails", "chtDetails",    "cmdSaveChart",  "picUsage",      "gridWhyNot",   "cmdTQS",
        "cmdGDK",       "cmdVMS",     "cmdVMT",        "cmdZR",         "cmdUVC",        "cmdUVA",       "cmdTQ",
        "cmdStampa",    "cmdExit",    "Image1",        "optPulsed",     "optRectangular", "optPower",    "optPowerMeter"};
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
    EXPECT_EQ(menus.join(QStringLiteral("; ")).toStdString(),
              "&File: Save &Chart\u2026 Ctrl+S, &Print\u2026 Ctrl+P, &Quit Ctrl+Q; "
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
    for (const Screen& screen : {Screen{{1280, 720}, "main-window-1280x720.png", 300},
                                 Screen{{1024, 600}, "main-window-1024x600.png", 250},
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
    const QFont font = QApplication::font();
    const std::vector<ui::LegendEntry> entries = {
        {ui::LegendEntry::Mark::Bar, {}, {}, QStringLiteral("Laser peak: 636.6 kW/cm\u00B2")},
        {ui::LegendEntry::Mark::Bar, {}, {}, QStringLiteral("Laser mean: 318.3 kW/cm\u00B2")},
        {ui::LegendEntry::Mark::Line, {}, {}, QStringLiteral("Coating 7, repetitive-pulse threshold, a long name")}};
    for (const int width : {2000, 260, 120}) {
        const std::vector<QRect> boxes = ui::LayOutLegend(entries, font, width);
        int lines = 0;
        for (const QRect& box : boxes) {
            EXPECT_LE(box.right(), std::max(width, QFontMetrics(font).height() * 3)) << width;
            lines += box.left() == 0 ? 1 : 0;
        }
        EXPECT_EQ(lines > 1, width < 2000) << width;
        EXPECT_GT(ui::LegendHeight(entries, font, width), boxes.back().top()) << width;
    }
    EXPECT_GT(ui::LegendHeight(entries, font, 120), 3 * QFontMetrics(font).height()) << "the long entry wraps";

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
// freedesktop data home, and the user is told once. The laser typed comes
// back at the next start, as the window's place does; after Reset Data the
// next start is empty.
TEST(DesktopSessionView, KeepsTheReportInTheDataHomeAndTheLaserForTheNextRun) {
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
    session->Window().show();
    Find<QRadioButton>(session->Window(), "optRectangular")->click();
    TypeShippedPulsedLaser(session->Window());
    Type(session->Window(), {{"txtBeam2", "6"}});
    const LaserRecord typed = session->Model().Record();
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

    session.reset();
    session = ui::DesktopSession::Start(folder / "program");
    EXPECT_TRUE(session->Placed());
    EXPECT_EQ(session->Model().Record(), typed);
    EXPECT_EQ(Find<QLineEdit>(session->Window(), "txtBeam2")->text(), QStringLiteral("6"));
    session->Model().ResetData();
    session.reset();
    session = ui::DesktopSession::Start(folder / "program");
    for (const std::string& text : session->Model().Record().texts) {
        EXPECT_EQ(text, "");
    }
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
    EXPECT_EQ(peak->text().toStdString(), "Energy Density at centre (\u00D72) 0.8 J/cm2");
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    EXPECT_LT(f.model.model.Grid().RowCount(), uniformRows) << "heads whose threshold lies under the peak go";
    auto* grid = Find<QTableView>(f.window, "gridForm");
    auto* panel = Find<ui::DetailsPanel>(f.window, "fraDetails");
    ClickRow(grid, 0);
    ASSERT_TRUE(panel->isVisible());
    const auto& laser = f.model.model.Details().Details()->operatingPoint;
    const auto series = panel->Chart()->series();
    ASSERT_EQ(series.size(), 3);
    EXPECT_EQ(static_cast<QScatterSeries*>(series[1])->at(0),
              QPointF(std::log10(*laser.pulseWidth), std::log10(laser.energyDensity)));
    EXPECT_EQ(static_cast<QScatterSeries*>(series[2])->at(0),
              QPointF(std::log10(*laser.pulseWidth), std::log10(laser.energyDensity / 2)));
    EXPECT_EQ(series[2]->name(), QStringLiteral("Laser mean"));
    EXPECT_EQ(f.model.model.Details().Bars().back().caption, "Power through aperture");
    QApplication::processEvents();
    f.window.grab().save(ShotPath("details-gaussian.png"));

    profile->setCurrentIndex(2);
    Q_EMIT profile->activated(2);
    EXPECT_TRUE(factor->isEnabled());
    factor->setFocus();
    QTest::keyClicks(factor, "1,5x");
    EXPECT_EQ(factor->text(), QStringLiteral("1,5"));
    EXPECT_EQ(peak->text().toStdString(), "Energy Density at centre (\u00D71.5) 0.6 J/cm2");

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
    EXPECT_TRUE(panel->Chart()->title().startsWith(Cell(grid, 1, 0))) << panel->Chart()->title().toStdString();
    const auto& laser = f.model.model.Details().Details()->operatingPoint;
    const auto series = panel->Chart()->series();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(static_cast<QXYSeries*>(series[0])->count(), 121) << "1 ps to 1 s, 10 points a decade";
    const auto* point = static_cast<QScatterSeries*>(series[1]);
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
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                 QStringLiteral("-r"), QStringLiteral("72"),
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
    for (const ui::LegendEntry& entry : panel->Legend()->Entries()) {
        EXPECT_TRUE(words.contains(entry.text)) << entry.text.toStdString() << " in " << words.toStdString();
    }
    // In the picture the legend's lines stand under the plot.
    int inked = 0;
    for (int x = 0; x < png.width(); ++x) {
        inked += qGray(png.pixel(x, png.height() - 40)) < 128 ? 1 : 0;
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The settings the windows keep go to a folder of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(tavrin::test::FreshFolder("ui-settings").string()));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
