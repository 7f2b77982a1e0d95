#include <gtest/gtest.h>

#include <cmath>

#include "form/launcher.h"
#include "selection/damage_threshold.h"
#include "selection/head_search.h"
#include "selection/validation.h"
#include "test_support.h"

namespace tavrin {
namespace {

using test::ModelFixture;
using test::TypeCw;
using test::TypePulsed;
using test::TypeSinglePulse;
using test::WideHead;

// ---- Explore and the grid's events --------------------------------------------

TEST(Explore, NoHeadComposesTheRequestAndDisablesPrint) {
    ModelFixture f({{WideHead("A")}, test::UniformCoatings(100)});
    TypeCw(f.model);
    ASSERT_EQ(f.model.Explore(), ExploreOutcome::Found);
    f.model.CellSelected(1);
    EXPECT_EQ(f.model.Labels().Get(LabelId::VArdo), "a");
    f.model.TypeText(EntryId::MaxPower, "20000");
    EXPECT_EQ(f.model.Grid().RowCount(), 1);
    EXPECT_TRUE(f.model.PrintEnabled());
    EXPECT_EQ(f.model.Explore(), ExploreOutcome::NoneFound);
    EXPECT_EQ(f.model.Labels().Get(LabelId::VArdo), "");
    EXPECT_FALSE(f.model.PrintEnabled());
    ASSERT_EQ(f.requestWindow.texts.size(), 1u);
    EXPECT_EQ(f.requestWindow.shown, 1);
    EXPECT_EQ(f.requestWindow.texts[0], f.model.LastRequest());
}

TEST(Explore, PickingARowFillsTheMonitorLabels) {
    ModelFixture f({{WideHead("A")}, test::UniformCoatings(100)});
    TypePulsed(f.model);
    f.model.Explore();
    f.model.CellSelected(0);
    f.model.CellSelected(2);
    EXPECT_EQ(f.model.Labels().Get(LabelId::VRVX), "");
    f.model.CellSelected(1);
    const auto label = [&f](LabelId id) { return f.model.Labels().Get(id); };
    EXPECT_EQ(label(LabelId::VArdo), "a");
    EXPECT_EQ(label(LabelId::VBrisa), "b");
    EXPECT_EQ(label(LabelId::VRVX), "r");
    EXPECT_EQ(label(LabelId::VQDM), "q");
    EXPECT_EQ(label(LabelId::VSela), "s");
    EXPECT_EQ(label(LabelId::VVantic), "v");

    ModelFixture single({{WideHead("A")}, test::UniformCoatings(100)});
    TypeSinglePulse(single.model);
    single.model.Explore();
    single.model.CellSelected(1);
    EXPECT_EQ(single.model.Labels().Get(LabelId::VRVX), " n.a.");
    single.model.ChooseUnit(EntryId::RepRate, 2);
    single.model.CellSelected(1);
    EXPECT_EQ(single.model.Labels().Get(LabelId::VRVX), "r");
}

class DataSheets : public testing::Test {
protected:
    void SetUp() override {
        folder = test::FreshFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "pdf");
    }
    std::filesystem::path folder;
};

TEST_F(DataSheets, OpensTheSheetWithSlashesReplaced) {
    test::WriteFile(folder / "pdf" / "A-B-C.pdf", "%PDF");
    ModelFixture f({{WideHead("A/B/C")}, test::UniformCoatings(100)}, '.', folder);
    TypeCw(f.model);
    f.model.Explore();
    f.model.CellActivated(5);
    f.model.CellActivated(1);
    ASSERT_EQ(f.opener.opened.size(), 1u);
    EXPECT_EQ(f.opener.opened[0], (folder / "pdf" / "A-B-C.pdf").string());
}

TEST_F(DataSheets, MissingSheetOffersTheProductIndex) {
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        for (const std::string& name :
             std::vector<std::string>{"Missing", ".hidden", "../escape", std::string("nul\0x", 5), "ctl\x01"}) {
            ModelFixture f({{WideHead(name)}, test::UniformCoatings(100)}, '.', folder);
            test::WriteFile(folder / "pdf" / ".hidden.pdf", "%PDF");
            test::WriteFile(folder / "escape.pdf", "%PDF");
            f.messages.answer = answer;
            f.model.TypeText(EntryId::Beam1, "10");
            f.model.TypeText(EntryId::WaveLength, "1064");
            f.model.TypeText(EntryId::MaxPower, "10");
            f.model.Explore();
            f.model.CellActivated(1);
            ASSERT_EQ(f.messages.shown.size(), 1u) << name;
            EXPECT_EQ(f.messages.shown[0].text,
                      "Sorry, the PDF document containing the product features is not available here. Please, visit "
                      "the Corvane website to consult this document.");
            EXPECT_EQ(f.messages.shown[0].buttons, MessageButtons::OkCancel);
            EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::None);
            if (answer == MessageAnswer::Ok) {
                ASSERT_EQ(f.opener.opened.size(), 1u);
                EXPECT_NE(f.opener.opened[0].find("strumenti_misura_laser/INDEX.htm"), std::string::npos);
            } else {
                EXPECT_TRUE(f.opener.opened.empty());
            }
        }
    }
}

TEST_F(DataSheets, CurveButtonsOpenOnlyVisibleFiles) {
    test::WriteFile(folder / "pdf" / "UV_C.pdf", "%PDF");
    test::WriteFile(folder / "pdf" / ".TQ.pdf", "%PDF");
    ModelFixture f({}, '.', folder);
    f.model.OpenCurveDocument(CurveDocument::UVC);
    ASSERT_EQ(f.opener.opened.size(), 1u);
    EXPECT_EQ(f.opener.opened[0], (folder / "pdf" / "UV_C.pdf").string());
    f.model.OpenCurveDocument(CurveDocument::TQ);
    f.model.OpenCurveDocument(CurveDocument::GDK);
    EXPECT_EQ(f.opener.opened.size(), 1u);
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[0], (Message{"Sorry, the PDF document is not available here", "Tavrin",
                                            MessageIcon::None, MessageButtons::Ok}));
    f.model.OpenWebSite();
    EXPECT_EQ(std::string(CurveDocumentOf(CurveDocument::UVA).caption), "UV-A");
    EXPECT_EQ(std::string(CurveDocumentOf(CurveDocument::UVA).fileName), "UV_A.pdf");
}

// Installations link documents into the pdf folder.
TEST_F(DataSheets, ALinkToAnOrdinaryFileOpens) {
    namespace fs = std::filesystem;
    test::WriteFile(folder / "shared" / "sheet.pdf", "%PDF");
    fs::create_directories(folder / "shared" / "dir.pdf");
    fs::create_symlink(folder / "shared" / "sheet.pdf", folder / "pdf" / "Linked.pdf");
    fs::create_symlink(folder / "shared" / "dir.pdf", folder / "pdf" / "Folder.pdf");
    fs::create_symlink(folder / "shared" / "gone.pdf", folder / "pdf" / "Dangling.pdf");
    fs::create_symlink(folder / "shared" / "sheet.pdf", folder / "pdf" / "TQ.pdf");
    for (const auto& [name, opens] :
         std::vector<std::pair<std::string, bool>>{{"Linked", true}, {"Folder", false}, {"Dangling", false}}) {
        ModelFixture f({{WideHead(name)}, test::UniformCoatings(100)}, '.', folder);
        TypeCw(f.model);
        f.model.Explore();
        f.model.CellActivated(1);
        EXPECT_EQ(f.opener.opened.size() == 1 && f.opener.opened[0] == (folder / "pdf" / (name + ".pdf")).string(),
                  opens)
            << name;
        EXPECT_EQ(f.messages.shown.size(), opens ? 0u : 1u) << name;
    }
    ModelFixture curves({}, '.', folder);
    curves.model.OpenCurveDocument(CurveDocument::TQ);
    EXPECT_EQ(curves.opener.opened, std::vector<std::string>{(folder / "pdf" / "TQ.pdf").string()});
}

TEST_F(DataSheets, AFailedOpeningIsTold) {
    test::WriteFile(folder / "pdf" / "A.pdf", "%PDF");
    test::WriteFile(folder / "pdf" / "TQ.pdf", "%PDF");
    ModelFixture f({{WideHead("A")}, test::UniformCoatings(100)}, '.', folder);
    f.opener.works = false;
    TypeCw(f.model);
    f.model.Explore();
    const std::vector<std::pair<std::function<void()>, std::string>> actions = {
        {[&f] { f.model.CellActivated(1); }, (folder / "pdf" / "A.pdf").string()},
        {[&f] { f.model.OpenCurveDocument(CurveDocument::TQ); }, (folder / "pdf" / "TQ.pdf").string()},
        {[&f] { f.model.OpenWebSite(); }, ""}};
    for (const auto& [action, target] : actions) {
        f.messages.shown.clear();
        action();
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0], CouldNotOpenMessage(f.opener.opened.back()));
        if (!target.empty()) {
            EXPECT_EQ(f.opener.opened.back(), target);
        }
    }
}

}  // namespace
}  // namespace tavrin

namespace tavrin {
namespace {

TEST(Launcher, OpensTheInformationTextOrSaysWhyNot) {
    const auto folder = test::FreshFolder("launcher-info");
    test::RecordingOpener opener;
    test::RecordingMessages messages;
    OpenInformationText(folder, opener, messages);
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find((folder / "CV-Tavrin.txt").string()), std::string::npos);
    test::WriteFile(folder / "CV-Tavrin.txt", "guide");
    OpenInformationText(folder, opener, messages);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], (folder / "CV-Tavrin.txt").string());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(LauncherIntroText().find("most suitable products for your application . "), std::string::npos);
}

}  // namespace
}  // namespace tavrin
