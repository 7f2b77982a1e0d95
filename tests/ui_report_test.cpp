// File > Save Report as PDF in the window: the same report the command line
// writes for the same laser.
#include <QProcess>

#include "ui_test_support.h"

namespace tavrin {
namespace {

using namespace ui_test;

QString PdfText(const std::filesystem::path& pdf) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    EXPECT_TRUE(pdftotext.waitForFinished(30000));
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

TEST(WindowReport, TheMenuSavesTheReportTheCommandLineWrites) {
    auto catalogue = LoadCatalogue(TAVRIN_PROGRAM_DIR);
    ASSERT_TRUE(catalogue);
    WindowFixture f(std::move(catalogue.Value()), TAVRIN_PROGRAM_DIR);
    auto* save = Find<QAction>(f.window, "cmdSavePdf");
    EXPECT_FALSE(save->isEnabled()) << "no search to report yet";
    EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    TypeCwLaser(f.window);
    Find<QPushButton>(f.window, "cmdDettagli")->click();
    ASSERT_TRUE(save->isEnabled());

    const auto folder = test::FreshFolder("window-report");
    const auto file = folder / "from-window";  // the suffix is added
    QString opened;
    QTimer::singleShot(0, [&opened, file] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        opened = dialog->directory().absolutePath();
        dialog->selectFile(QString::fromStdString(file.string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const auto pdf = folder / "from-window.pdf";
    EXPECT_EQ(Status(f.window).toStdString(), "Report saved to " + pdf.string());

    QProcess cli;
    cli.start(QStringLiteral(TAVRIN_PROGRAM_DIR "/cv-tavrin-cli"),
              {QStringLiteral("select"), QStringLiteral("--beam"), QStringLiteral("5"), QStringLiteral("--wavelength"),
               QStringLiteral("1064nm"), QStringLiteral("--power"), QStringLiteral("100W"),
               QStringLiteral("--report-pdf"), QString::fromStdString((folder / "from-cli.pdf").string())});
    ASSERT_TRUE(cli.waitForFinished(60000));
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Detector head selection")));
    EXPECT_TRUE(text.contains(QStringLiteral("Head ")));
    EXPECT_EQ(text.toStdString(), PdfText(folder / "from-cli.pdf").toStdString());
}

}  // namespace
}  // namespace tavrin
