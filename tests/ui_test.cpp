#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "catalogue/head_catalogue.h"
#include "test_support.h"
#include "ui/launcher_window.h"
#include "ui/main_window.h"
#include "ui/qt_services.h"
#include "ui/request_dialog.h"
#include "ui/results_table_model.h"
#include "ui_support.h"

namespace tavrin {
namespace {

using test::Find;
using test::OneHead;
using test::ShotPath;
using test::Type;
using test::WindowFixture;

TEST(MainWindowView, TypingFiltersAndShowsDerivedValues) {
    WindowFixture f;
    Type(f.window, "txtBeam1", QStringLiteral("12a"));
    auto* beam = Find<QLineEdit>(f.window, "txtBeam1");
    EXPECT_EQ(beam->text(), QStringLiteral("12"));
    EXPECT_EQ(beam->cursorPosition(), 2);
    EXPECT_EQ(Find<QLabel>(f.window, "lblVArea")->text(), QStringLiteral(" 113.1"));
    EXPECT_EQ(Find<QLabel>(f.window, "lblMArea")->text(), QStringLiteral(" mm2"));
    EXPECT_EQ(Find<QLabel>(f.window, "lblBeam")->text(), QStringLiteral(" Beam Diameter (mm)"));
}

TEST(MainWindowView, OptionsHideAndShowRows) {
    WindowFixture f;
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

TEST(MainWindowView, ExploreSelectActivateAndReset) {
    const auto folder = test::FreshFolder("ui-explore");
    std::filesystem::create_directories(folder / "pdf");
    test::WriteFile(folder / "pdf" / "TQS 50-2.pdf", "%PDF");
    WindowFixture f(OneHead(), folder);
    Type(f.window, "txtBeam1", QStringLiteral("5"));
    Type(f.window, "txtWaveLenght", QStringLiteral("1064"));
    Type(f.window, "txtMaxPower", QStringLiteral("100"));
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

    const QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(Find<QLabel>(f.window, "lblVArdo")->text(), QStringLiteral("1mW"));
    EXPECT_EQ(Find<QLabel>(f.window, "lblVRVX")->text(), QStringLiteral("3mW"));
    f.window.grab().save(ShotPath("main-window-cw-results.png"));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(f.model.opener.opened.size(), 1u);
    EXPECT_EQ(f.model.opener.opened[0], (folder / "pdf" / "TQS 50-2.pdf").string());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(f.model.opener.opened.size(), 2u);

    QTest::mouseClick(Find<QPushButton>(f.window, "cmdNew"), Qt::LeftButton);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_FALSE(print->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(f.window, "txtBeam1")->text().isEmpty());
    EXPECT_TRUE(Find<QLabel>(f.window, "lblVArdo")->text().isEmpty());
}

TEST(MainWindowView, GridViewReadsRowsFromTheModelOnDemand) {
    ResultsGrid grid;
    SetupGrid(grid);
    for (int row = 1; row <= 100000; ++row) {
        grid.SetCell(row, 1, "H" + std::to_string(row));
        grid.SetCell(row, 2, "<5 %");
    }
    ui::ResultsTableModel model(grid);
    QTableView view;
    view.setModel(&model);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(model.rowCount(), 100000);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.data(model.index(99999, 0), Qt::DisplayRole).toString(), QStringLiteral("H100000"));
    EXPECT_TRUE(view.findChildren<QLabel*>().isEmpty());  // no widget per cell
}

TEST(MainWindowView, ValidationMovesTheFocus) {
    WindowFixture f;
    Type(f.window, "txtBeam1", QStringLiteral("5"));
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
    Type(window, "txtBeam1", QStringLiteral("5"));
    Type(window, "txtWaveLenght", QStringLiteral("1064"));
    Type(window, "txtMaxPower", QStringLiteral("100"));
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

TEST(RequestWindowView, SendTriesTheRoutesAndCloses) {
    test::RecordingMessages messages;
    test::RecordingRoute first(false);
    test::RecordingRoute second(false);
    ui::RequestDialog dialog("body", messages, nullptr, &first, &second);
    EXPECT_EQ(Find<QLabel>(dialog, "lblInfo")->geometry(), QRect(2, 8, 395, 129));
    EXPECT_EQ(Find<QPushButton>(dialog, "cmdCancel")->geometry(), QRect(294, 176, 99, 31));
    dialog.show();
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdSend"), Qt::LeftButton);
    EXPECT_EQ(first.sent.size(), 1u);
    EXPECT_EQ(second.sent.size(), 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("Email not sent!\n", 0), 0u);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("body"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ReportPrinting, PdfKeepsTheTableAligned) {
    const auto folder = test::FreshFolder("ui-pdf");
    test::ModelFixture f(OneHead(), '.', folder);
    f.model.TypeText(EntryId::Beam1, "5");
    f.model.TypeText(EntryId::WaveLength, "1064");
    f.model.TypeText(EntryId::MaxPower, "100");
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
    const auto folder = test::FreshFolder("ui-launcher");
    int started = 0;
    ui::LauncherWindow launcher(folder, opener, messages, [&started] {
        ++started;
        return true;
    });
    launcher.show();
    launcher.grab().save(ShotPath("launcher.png"));
    EXPECT_EQ(launcher.windowTitle(), QStringLiteral("Tavrin"));
    QTest::mouseClick(Find<QPushButton>(launcher, "cmdInfo"), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("CV-Tavrin.txt"), std::string::npos);
    test::WriteFile(folder / "CV-Tavrin.txt", "guide");
    QTest::mouseClick(Find<QPushButton>(launcher, "cmdInfo"), Qt::LeftButton);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_TRUE(launcher.isVisible());
    QTest::mouseClick(Find<QPushButton>(launcher, "cmdTavrin"), Qt::LeftButton);
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(launcher.isVisible());
}

}  // namespace
}  // namespace tavrin
