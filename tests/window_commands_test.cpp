// The main window's commands beyond the search: Undo of Reset Data, the
// laser kept between runs, the status line, Copy Results, About, and what
// the window says where a typed number or a wavelength is the trouble.
#include <gtest/gtest.h>

#include <functional>

#include "form/grid_text.h"
#include "reports/request_window.h"
#include "test_support.h"
#include "version/version.h"

namespace tavrin {
namespace {

using test::ModelFixture;

void Choose(MainWindowModel& model, EntryId entry, const std::string& unit) {
    ASSERT_TRUE(model.ChooseUnit(entry, model.State().Entry(entry).IndexOf(unit))) << unit;
}

// Lasers set up as users do, each with what a replay must bring back exactly:
// the power typed last, the energy derived from it and auto-ranged.
const std::vector<std::pair<const char*, std::function<void(MainWindowModel&)>>> kLasers = {
    {"pulsed", test::TypePulsed},
    {"single pulse", test::TypeSinglePulse},
    {"CW, a Gaussian rectangle, probe",
     [](MainWindowModel& m) {
         m.ClickOption(OptionId::Rectangular);
         m.ClickOption(OptionId::Probe);
         m.ChooseProfile(Profile::Gaussian);
         test::TypeTexts(m, {{EntryId::Beam1, "3"}, {EntryId::Beam2, "4,5"}, {EntryId::WaveLength, "10.6"}});
         Choose(m, EntryId::WaveLength, "um");
         Choose(m, EntryId::MaxPower, "kW");
         m.TypeText(EntryId::MaxPower, "0.25");
     }},
    {"pulsed, power typed last, measured profile",
     [](MainWindowModel& m) {
         m.ClickOption(OptionId::Pulsed);
         m.ChooseProfile(Profile::Measured);
         m.TypeProfileFactor("1.7");
         test::TypeTexts(m, {{EntryId::Beam1, "8"}, {EntryId::WaveLength, "532"}, {EntryId::RepRate, "3"}});
         Choose(m, EntryId::RepRate, "kHz");
         Choose(m, EntryId::PulseWidth, "ns");
         test::TypeTexts(m, {{EntryId::PulseWidth, "7"}, {EntryId::MaxEnergy, "2"}, {EntryId::MaxPower, "1"}});
     }},
};

// Undo brings back what Reset Data emptied, exactly; the kept laser survives
// its settings fields and comes back typed into a fresh window.
TEST(KeptLaser, UndoAndTheNextRunBringItBack) {
    for (const auto& [name, type] : kLasers) {
        ModelFixture f;
        type(f.model);
        const LaserRecord record = f.model.Record();
        const LabelCaptions labels = f.model.Labels();
        f.model.ResetData();
        f.model.ResetData();  // a second reset does not lose the first's laser
        ASSERT_TRUE(f.model.CanUndoReset()) << name;
        f.model.UndoReset();
        EXPECT_FALSE(f.model.CanUndoReset());
        EXPECT_EQ(f.model.Record(), record) << name;
        EXPECT_TRUE(f.model.Labels() == labels) << name;

        ModelFixture next;
        next.model.RestoreRecord(RecordFromFields(FieldsOf(record)));
        EXPECT_EQ(next.model.Record(), record) << name;
        EXPECT_TRUE(next.model.Labels() == labels) << name;
    }
    // Changing the laser after a reset ends the undo; fields no control takes are left out.
    ModelFixture f;
    test::TypeCw(f.model);
    f.model.ResetData();
    f.model.TypeText(EntryId::Beam1, "1");
    EXPECT_FALSE(f.model.CanUndoReset());
    ModelFixture odd;
    odd.model.RestoreRecord(RecordFromFields({{"laser", "laser"}, {"power", "12a"}, {"power-unit", "GW"}}));
    EXPECT_EQ(odd.model.State().MaxPower().Text, "12");
    EXPECT_EQ(odd.model.State().MaxPower().Unit(), "W");
    EXPECT_EQ(odd.model.State().LaserType, Laser::CW);
}

Catalogue TwoHeads() {
    HeadRecord tab = test::WideHead("A\tB");
    tab.ResArdo = "1mW";
    return {{tab, test::WideHead("C")}, test::UniformCoatings(1e6)};
}

// The status line says what Explore found and where Print wrote; Copy
// Results puts every column, with a header, on the clipboard.
TEST(StatusLine, SaysWhatTheLastCommandDid) {
    const auto folder = test::FreshFolder("status-line");
    ModelFixture f(TwoHeads(), '.', folder);
    test::RecordingClipboard clipboard;
    f.model.CopyResults(clipboard);
    EXPECT_EQ(f.model.Status(), "No results to copy");
    test::TypeCw(f.model);
    f.model.Explore();
    EXPECT_EQ(f.model.Status(), "2 heads suit this laser");
    f.model.CopyResults(clipboard);
    EXPECT_EQ(f.model.Status(), "2 heads copied to the clipboard");
    ASSERT_EQ(clipboard.texts.size(), 1u);
    EXPECT_EQ(clipboard.texts[0], GridAsTabSeparated(f.model.Grid()));
    EXPECT_EQ(clipboard.texts[0].substr(0, clipboard.texts[0].find('\n')),
              "Suitable Heads\tDamage Threshold\tArdo\tBrisa\tRVX\tQDM\tSela\tVantic");
    EXPECT_EQ(clipboard.texts[0].find("A B\t"), clipboard.texts[0].find('\n') + 1) << "a tab in a name is a blank";
    f.model.Print();
    EXPECT_EQ(f.model.Status(), "Report written to " + (folder / "Print.txt").string());
    f.model.TypeText(EntryId::MaxPower, "1e9");
    f.model.Explore();
    EXPECT_EQ(f.model.Status(), "No head suits this laser: a custom head can be requested");
    EXPECT_EQ(f.requestWindow.uncovered, "") << "the heads cover the wavelength";

    // Help > About: the version, the licence, the catalogue's size and date.
    f.model.ShowAbout();
    const Message& about = f.messages.shown.back();
    EXPECT_EQ(about.title, "About CV-Tavrin");
    EXPECT_NE(about.text.find(std::string("CV-Tavrin ") + kVersion), std::string::npos);
    EXPECT_NE(about.text.find("Catalogue: 2 heads"), std::string::npos) << about.text;
}

// Where no head covers the wavelength, the request window says so instead of
// advising a larger beam.
TEST(RequestAdvice, NamesAWavelengthNoHeadCovers) {
    ModelFixture f(TwoHeads());
    test::TypeTexts(f.model, {{EntryId::Beam1, "5"}, {EntryId::WaveLength, "30000"}, {EntryId::MaxPower, "1"}});
    EXPECT_EQ(f.model.Explore(), ExploreOutcome::NoneFound);
    EXPECT_EQ(f.requestWindow.uncovered, "30000 nm");
    const std::string caption = RequestInfoCaption(f.requestWindow.uncovered);
    EXPECT_NE(caption.find("No head of the catalogue covers a wavelength of 30000 nm"), std::string::npos);
    EXPECT_EQ(caption.find("larger beam diameter"), std::string::npos);
    EXPECT_NE(RequestInfoCaption().find("larger beam diameter"), std::string::npos);
}

// A number with a digit group where the locale reads two decimal
// separators: the entry is marked with what to type instead.
TEST(EntryWarning, TellsWhereAThousandsSeparatorMakesNoNumber) {
    struct Row {
        char decimal;
        const char* typed;
        const char* warning;
    };
    for (const Row& row : {Row{',', "1.000,5", "no thousands separator: type 1000,5"}, Row{',', "1000,5", ""},
                           Row{'.', "1,000.5", "no thousands separator: type 1000.5"}, Row{'.', "2.5", ""}}) {
        ModelFixture f({}, row.decimal);
        f.model.TypeText(EntryId::MaxPower, row.typed);
        EXPECT_EQ(f.model.State().MaxPower().Text, row.typed);
        EXPECT_EQ(f.model.EntryWarning(EntryId::MaxPower), row.warning) << row.typed;
    }
}

}  // namespace
}  // namespace tavrin
