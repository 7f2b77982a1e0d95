#include <gtest/gtest.h>

#include "reports/mail.h"
#include "reports/report.h"
#include "reports/request_text.h"
#include "reports/request_window.h"
#include "test_support.h"

namespace tavrin {
namespace {

using test::ModelFixture;
using test::WideHead;

// The request is the laser data followed by the fixed questionnaire; the
// questionnaire is checked by its first and last lines.
constexpr const char* kQuestionnaireStart =
    "2 - The following parameters have to be measured/monitored: (underline which applies)\r\n";
constexpr const char* kQuestionnaireEnd =
    "\r\n4 - Application (Please provide a short description of your "
    "application):\r\n5 - Additional Information :";

std::string LaserData(const std::string& request) {
    const auto start = request.find(kQuestionnaireStart);
    EXPECT_NE(start, std::string::npos);
    EXPECT_TRUE(request.ends_with(kQuestionnaireEnd));
    return request.substr(0, start);
}

void TypeCw(MainWindowModel& model) {
    test::TypeTexts(model, {{EntryId::Beam1, "5"}, {EntryId::WaveLength, "1064"}, {EntryId::MaxPower, "100"}});
}

TEST(RequestText, CwLaserExample) {
    ModelFixture f;
    TypeCw(f.model);
    EXPECT_EQ(f.model.Explore(), ExploreOutcome::NoneFound);
    const std::string expected = std::string(
        "1 - Laser Data :\r\n"
        "\r\n"
        "    DATA VALUE:\r\n"
        "\r\n"
        "    Laser Type: CW\r\n"
        "\r\n"
        "    Beam Type: Circular\r\n"
        "    Beam Diameter (mm) = 5\r\n"
        "\r\n"
        "    Measurement Type: Power\r\n"
        "    Product Type: Power Meter\r\n"
        "\r\n"
        "    WaveLenght : 1064 nm\r\n"
        "     Max Power 100 W\r\n"
        "\r\n"
        "     Area 19.6 mm2\r\n"
        "     Power Density 509.3 W/cm2\r\n"
        "\r\n");
    ASSERT_EQ(f.requestWindow.texts.size(), 1u);
    EXPECT_EQ(LaserData(f.requestWindow.texts[0]), expected);
    f.model.Explore();
    ASSERT_EQ(f.requestWindow.texts.size(), 2u);
    EXPECT_EQ(f.requestWindow.texts[1], f.requestWindow.texts[0]);
}

TEST(RequestText, EmptyEntriesKeepTheFixedLines) {
    LaserInputState state;
    state.BeamShape = Shape::Rectangular;
    state.LaserType = Laser::Pulsed;
    state.ProductType = Product::Probe;
    state.RepRate().Units = {"Single"};
    state.RepRate().UnitIndex = 0;
    const std::string expected =
        "1 - Laser Data :\r\n\r\n    DATA VALUE:\r\n\r\n    Laser Type: Pulsed\r\n\r\nBeam Type: Rectangular\r\n"
        "    Rectangle (mm * mm)L =  W = \r\n\r\n    Measurement Type: Single Pulse Energy\r\n"
        "    Product Type: Probe\r\n\r\n\r\n\r\n";
    EXPECT_EQ(LaserData(ComposeRequestText(state, LabelCaptions())), expected);
}

TEST(Report, CwLaserWithResults) {
    HeadRecord head = WideHead("TQS 50/2");
    head.ResArdo = " 1mW ";
    head.ResBrisa = "2mW";
    head.ResRVX = "3\u00B5W";
    head.ResQDM = "4mW";
    head.ResSela = "5mW";
    head.ResVantic = " 6mW ";
    HeadRecord longName = WideHead("A name that is longer than 25");
    longName.PowerDensityMax = 600;
    const auto folder = test::FreshFolder("report-cw");
    ModelFixture f({{head, longName}, test::UniformCoatings(100)}, '.', folder);
    TypeCw(f.model);
    ASSERT_EQ(f.model.Explore(), ExploreOutcome::Found);
    f.model.TypeText(EntryId::Beam1, "5.0");
    f.model.Print();
    const std::string expected =
        "\r\n"
        "CORVANE TAVRIN\r\n"
        "--------------------------\r\n"
        "\r\n"
        "DATA VALUE:\r\n"
        "\r\n"
        "Laser Type: CW\r\n"
        "\r\n"
        "Beam Type: Circular\r\n"
        " Beam Diameter (mm) = 5.0\r\n"
        "\r\n"
        "Measurement Type: Power\r\n"
        "Product Type: Power Meter\r\n"
        "\r\n"
        "WaveLenght : 1064 nm\r\n"
        " Max Power 100 W\r\n"
        "\r\n"
        " Area 19.6 mm2\r\n"
        " Avg. Power 100.0 W\r\n"
        " Power Density 509.3 W/cm2\r\n"
        " Peak Power 100.0 W\r\n"
        " Peak Power Density 509.3 W/cm2\r\n"
        "\r\n"
        "PRODUCTS FOUND:\r\n"
        "\r\n"
        "Suitable Heads           Damage Threshold Ardo   Brisa  RVX 300  QDM      Sela  Vantic\r\n"
        "TQS 50/2                       <5 %       1mW    2mW    3\u00B5W      4mW      5mW   6mW\r\n"
        "A name that is longer than 25      85 %       a      b      r        q        s     v\r\n";
    ASSERT_EQ(f.printer.printed.size(), 1u);
    EXPECT_EQ(f.printer.printed[0], expected);
    EXPECT_EQ(test::ReadFile(folder / "Print.txt"), expected);
    EXPECT_TRUE(f.messages.shown.empty());

    // Printing again replaces the whole file.
    f.model.ResetData();
    f.model.Print();
    const std::string second = test::ReadFile(folder / "Print.txt");
    EXPECT_EQ(second, f.printer.printed[1]);
    EXPECT_EQ(second.find("PRODUCTS FOUND"), std::string::npos);
}

TEST(Report, EmptyEntriesGiveTheFixedLinesOnly) {
    LaserInputState state;
    state.BeamShape = Shape::Rectangular;
    EXPECT_EQ(ComposeReport(state, LabelCaptions(), ResultsGrid()),
              "\r\nCORVANE TAVRIN\r\n--------------------------\r\n\r\nDATA VALUE:\r\n\r\nLaser Type: CW\r\n\r\n"
              "Beam Type: Rectangular\r\n Rectangle (mm * mm)L =  W = \r\n\r\nMeasurement Type: Power\r\n"
              "Product Type: Power Meter\r\n\r\n\r\n\r\n");
}

TEST(Report, HiddenPulseEntriesAndSinglePulse) {
    ModelFixture f;
    f.model.ClickOption(OptionId::Pulsed);
    f.model.ClickOption(OptionId::Rectangular);
    f.model.TypeText(EntryId::Beam1, "10");
    f.model.TypeText(EntryId::Beam2, "5");
    f.model.ClickOption(OptionId::PowerEnergy);
    f.model.TypeText(EntryId::MaxEnergy, "2");
    const std::string single = ComposeReport(f.model.State(), f.model.Labels(), f.model.Grid());
    EXPECT_NE(single.find("\r\nBeam Type: Rectangular\r\n Rectangle (mm * mm)L = 10 W = 5\r\n"), std::string::npos);
    EXPECT_NE(single.find("\r\nMeasurement Type: Single Pulse Energy\r\n"), std::string::npos);
    EXPECT_NE(single.find("\r\nRep Rate 1 Single\r\n"), std::string::npos);
    EXPECT_NE(single.find("\r\n Energy Density 4.0 J/cm2\r\n"), std::string::npos);
    f.model.ClickOption(OptionId::CW);
    const std::string cw = ComposeReport(f.model.State(), f.model.Labels(), f.model.Grid());
    EXPECT_NE(cw.find("\r\nMeasurement Type: Power\r\n"), std::string::npos);
    EXPECT_NE(cw.find("\r\nMax Energy 2 J\r\n"), std::string::npos);
    EXPECT_NE(cw.find("\r\nRep Rate 1 Hz\r\n"), std::string::npos);
}

// A folder path that is a file is unwritable even for root. An installed copy
// keeps Print.txt in the user's data folder and says so once per run.
TEST(Report, AnUnwritableProgramFolderIsToldAndPrintingGoesOn) {
    const auto root = test::FreshFolder("report-unwritable");
    test::WriteFile(root / "not-a-folder", "a file where a folder should be");
    struct Case {
        std::filesystem::path dataFolder;
        bool keptThere;
    };
    for (const Case& c :
         {Case{{}, false}, Case{root / "data" / "cv-tavrin", true}, Case{root / "not-a-folder" / "cv-tavrin", false}}) {
        ModelFixture f({}, '.', root / "not-a-folder");
        f.model.SetUserDataFolder(c.dataFolder);
        f.model.Print();
        f.model.Print();
        EXPECT_EQ(f.printer.printed.size(), 2u);
        if (c.keptThere) {
            const auto kept = c.dataFolder / "Print.txt";
            EXPECT_EQ(test::ReadFile(kept), f.printer.printed[0]);
            ASSERT_EQ(f.messages.shown.size(), 1u) << "told once";
            EXPECT_EQ(f.messages.shown[0].text,
                      "The program folder cannot be written, so the report is kept in " + kept.string() + ".");
        } else {
            ASSERT_EQ(f.messages.shown.size(), 2u);
            EXPECT_NE(f.messages.shown[0].text.find("Print.txt could not be written"), std::string::npos);
            EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::Exclamation);
        }
    }
}

// The routes are tried in order; only when both fail is the text put on the
// clipboard and the user told. The window closes either way.
TEST(RequestWindow, SendTriesTheRoutesInOrderAndAlwaysCloses) {
    struct Case {
        bool first;
        bool second;
        std::size_t secondTried;
        std::size_t messages;
    };
    const auto folder = test::FreshFolder("requests");
    test::WriteFile(folder / "plain", "a file, where the first folder would be made");
    for (const Case& c : {Case{true, true, 0, 0}, Case{false, true, 1, 0}, Case{false, false, 1, 1}}) {
        RequestWindowModel window;
        window.KeepRequestsIn({folder / "plain" / "folder", folder});
        window.Testo("text\r\nwith lines");
        window.Load();
        ASSERT_TRUE(window.IsOpen());
        test::RecordingRoute first(c.first);
        test::RecordingRoute second(c.second);
        test::RecordingMessages messages;
        test::RecordingClipboard clipboard;
        window.Send(first, second, messages, clipboard);
        ASSERT_EQ(first.sent.size(), 1u);
        EXPECT_EQ(first.sent[0], (MailMessage{"sales@corvane.example", "Request Head Info", "text\r\nwith lines"}));
        EXPECT_EQ(second.sent.size(), c.secondTried);
        ASSERT_EQ(messages.shown.size(), c.messages);
        EXPECT_EQ(clipboard.texts, std::vector<std::string>(c.messages, "text\r\nwith lines"));
        if (!messages.shown.empty()) {
            EXPECT_EQ(messages.shown[0],
                      (Message{"Email not sent!\nThe request text has been put on the clipboard and saved in " +
                                   (folder / "Request.txt").string() +
                                   ": paste it into a message to sales@corvane.example.",
                               "Attenzione", MessageIcon::Exclamation, MessageButtons::Ok}));
            EXPECT_EQ(test::ReadFile(folder / "Request.txt"), "text\r\nwith lines");
        }
        EXPECT_FALSE(window.IsOpen());
    }
}

TEST(RequestWindow, CancelSendsNothing) {
    RequestWindowModel window;
    window.Testo("x");
    window.Load();
    EXPECT_TRUE(window.InfoCaption().starts_with("Tavrin search could not find any standard detector  matching"));
    window.Cancel();
    EXPECT_FALSE(window.IsOpen());
}

// Every byte but the unreserved ones is encoded, so that no mail program reads
// an "&", "?", "#" or line end of the body as part of the address.
TEST(Mailto, CarriesTheBodyUnchanged) {
    const std::string body = "a\r\nb \u2019 \u2013 & ? # % = + -._~";
    EXPECT_EQ(MailtoUrl(RequestMail(body)),
              "mailto:sales@corvane.example?subject=Request%20Head%20Info&body="
              "a%0D%0Ab%20%E2%80%99%20%E2%80%93%20%26%20%3F%20%23%20%25%20%3D%20%2B%20-._~");
    EXPECT_EQ(ComposerArguments(RequestMail(body)),
              (std::vector<std::string>{"--subject", "Request Head Info", "--body", body, "sales@corvane.example"}));
}

}  // namespace
}  // namespace tavrin
