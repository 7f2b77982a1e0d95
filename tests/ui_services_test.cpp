// The windows and services around the main window: the launcher, the
// request window and its mail routes, message boxes, the printed report, and
// the desktop session with what it keeps for the next run, the window's kept place.
#include "ui_test_support.h"

namespace tavrin {
namespace {

using namespace ui_test;

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

}  // namespace
}  // namespace tavrin
