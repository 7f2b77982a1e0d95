// The windows as a user meets them: entries that show their values, the
// keyboard, the grid's focus, sizing, message boxes, the launcher, where the
// report goes and what happens when no program handles mail.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "ui/desktop_program.h"
#include "ui/desktop_session.h"
#include "ui/launcher_window.h"
#include "ui/qt_services.h"
#include "ui/request_dialog.h"
#include "ui_support.h"

namespace tavrin {
namespace {

using test::Find;
using test::OneHead;
using test::ShotPath;
using test::Type;
using test::WindowFixture;

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
    Type(f.window, "txtBeam1", QStringLiteral("3.141592653589793"));
    Type(f.window, "txtWaveLenght", QStringLiteral("1064.123456789012"));
    Type(f.window, "txtMaxEnergy", QStringLiteral("0.333333333333333"));
    Type(f.window, "txtRepRate", QStringLiteral("1000.000000000001"));
    Type(f.window, "txtPulseWidth", QStringLiteral("10.00000000000001"));
    EXPECT_EQ(Find<QLineEdit>(f.window, "txtMaxEnergy")->text(), QStringLiteral("0.333333333333333"));
    f.window.grab().save(ShotPath("main-window-pulsed-long-values.png"));
}

// Tab follows the reading order; the beam entry has the focus at the start.
TEST(MainWindowView, FocusStartsInTheBeamAndTabReadsInOrder) {
    WindowFixture f(OneHead());
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(f.window, "txtBeam1"));
    Find<QRadioButton>(f.window, "optPulsed")->click();
    Find<QRadioButton>(f.window, "optRectangular")->click();

    const QStringList expected = {"optCW",          "optPulsed",     "optCircular", "optRectangular", "optPower",
                                  "optPowerEnergy", "optPowerMeter", "optProbe",    "txtBeam1",       "txtBeam2",
                                  "txtWaveLenght",  "cboWavelenght", "txtMaxPower", "cboMaxPower",    "txtMaxEnergy",
                                  "cboMaxEnergy",   "txtRepRate",    "cboRepRate",  "txtPulseWidth",  "cboPulseWidth",
                                  "cmdDettagli",    "cmdNew",        "gridForm",    "cmdTQS",         "cmdGDK",
                                  "cmdVMS",         "cmdVMT",        "cmdZR",       "cmdUVC",         "cmdUVA",
                                  "cmdTQ",          "cmdStampa",     "cmdExit",     "Image1",         "cmdDetails"};
    QStringList chain;
    QWidget* widget = Find<QRadioButton>(f.window, "optCW");
    do {
        if (expected.contains(widget->objectName())) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != nullptr && widget->objectName() != QStringLiteral("optCW"));
    EXPECT_EQ(chain, expected);
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
    Type(f.window, "txtBeam1", QStringLiteral("5"));
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

// Giving the grid the focus picks nothing; an arrow key or Space picks a row.
TEST(MainWindowView, FocusingTheGridIsNotPickingARow) {
    WindowFixture f(OneHead());
    Type(f.window, "txtBeam1", QStringLiteral("5"));
    Type(f.window, "txtWaveLenght", QStringLiteral("1064"));
    Type(f.window, "txtMaxPower", QStringLiteral("100"));
    QTest::mouseClick(Find<QPushButton>(f.window, "cmdDettagli"), Qt::LeftButton);
    auto* grid = Find<QTableView>(f.window, "gridForm");
    ASSERT_EQ(grid->model()->rowCount(), 2);
    grid->setFocus(Qt::TabFocusReason);
    auto* ardo = Find<QLabel>(f.window, "lblVArdo");
    EXPECT_TRUE(ardo->text().isEmpty());
    EXPECT_TRUE(grid->selectionModel()->selectedRows().isEmpty());
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(ardo->text(), QStringLiteral("a")) << "the second head";
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(ardo->text(), QStringLiteral("1mW"));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
}

// The grid takes the room of a larger window and its banners stand over its
// columns; hiding the pulsed rows gives their room back.
TEST(MainWindowView, TheGridTakesTheRoomAndHiddenRowsGiveItBack) {
    WindowFixture f(OneHead());
    auto* grid = Find<QTableView>(f.window, "gridForm");
    f.window.resize(f.window.minimumSizeHint());
    QApplication::processEvents();
    const QSize gridBefore = grid->size();
    const int heightAtStart = f.window.height();
    auto* pulsed = Find<QRadioButton>(f.window, "optPulsed");
    pulsed->click();
    EXPECT_GT(f.window.height(), heightAtStart);
    Find<QRadioButton>(f.window, "optCW")->click();
    EXPECT_EQ(f.window.height(), heightAtStart);

    f.window.resize(f.window.width() + 300, f.window.height() + 200);
    QApplication::processEvents();
    EXPECT_GE(grid->width(), gridBefore.width() + 250);
    EXPECT_GE(grid->height(), gridBefore.height() + 150);
    const int lastColumn = grid->model()->columnCount() - 1;
    EXPECT_EQ(grid->columnViewportPosition(lastColumn) + grid->columnWidth(lastColumn), grid->viewport()->width());
    auto* heads = Find<QLabel>(f.window, "lblAvailableHeads");
    EXPECT_EQ(heads->width(), grid->columnWidth(0) + grid->frameWidth());
    EXPECT_EQ(heads->mapTo(&f.window, QPoint()).x(), grid->mapTo(&f.window, QPoint()).x());
    f.window.grab().save(ShotPath("main-window-resized.png"));
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
    dialog.show();
    const SeenBox seen = SeeModalBox(
        [&dialog] { QTest::mouseClick(Find<QPushButton>(dialog, "cmdSend"), Qt::LeftButton); }, "mail-not-sent.png");
    EXPECT_EQ(seen.text, QStringLiteral("Email not sent!\nThe request text has been put on the clipboard: paste it "
                                        "into a message to sales@corvane.example."));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the request"));
    EXPECT_FALSE(Ran("xdg-open") || Ran("xdg-email"));
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace tavrin
