#include "test_support.h"

#include <fstream>
#include <iterator>

#include <cstdlib>

namespace tavrin::test {

#ifdef TAVRIN_LOCALE_DIR
namespace {

// The locales the build generated for the tests, for the tests and the
// programs they start; the machine's own stay where they are.
const bool kLocalesFound = setenv("LOCPATH", TAVRIN_LOCALE_DIR, 1) == 0;

}  // namespace
#endif

ModelFixture::ModelFixture(Catalogue catalogue, char decimal, std::filesystem::path folder)
    : model(std::move(catalogue), std::move(folder), decimal,
            MainWindowServices{messages, opener, requestWindow, printer}) {}

HeadRecord WideHead(const std::string& name) {
    HeadRecord head;
    head.Name = name;
    head.ResArdo = "a";
    head.ResRVX = "r";
    head.ResBrisa = "b";
    head.ResQDM = "q";
    head.ResSela = "s";
    head.ResVantic = "v";
    head.Aperture = 100;
    head.PowerMax = 10000;
    head.PowerDensityMax = 30000;
    head.PowerMin = 0;
    head.EnergyMax = 1000;
    head.EnergyMin = 0;
    head.WaveMin = 0.1;
    head.WaveMax = 20;
    head.CoatingNo = 1;
    head.HeadType = "Power Meter";
    return head;
}

CoatingTable UniformCoatings(double value) {
    CoatingTable table;
    for (int row = 1; row <= 10; ++row) {
        for (int column = 0; column < 12; ++column) {
            table.Set(row, column, value);
        }
    }
    return table;
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TypeTexts(MainWindowModel& model, std::initializer_list<std::pair<EntryId, const char*>> texts) {
    for (const auto& [entry, text] : texts) {
        model.TypeText(entry, text);
    }
}

void TypePulsed(MainWindowModel& model) {
    model.ClickOption(OptionId::Pulsed);
    TypeTexts(model, {{EntryId::Beam1, "10"},
                      {EntryId::WaveLength, "1064"},
                      {EntryId::MaxEnergy, "1"},
                      {EntryId::RepRate, "1"},
                      {EntryId::PulseWidth, "1"}});
}

void TypeSinglePulse(MainWindowModel& model) {
    model.ClickOption(OptionId::Pulsed);
    model.ClickOption(OptionId::PowerEnergy);
    TypeTexts(
        model,
        {{EntryId::Beam1, "10"}, {EntryId::WaveLength, "1064"}, {EntryId::MaxEnergy, "1"}, {EntryId::PulseWidth, "1"}});
}

void TypeCw(MainWindowModel& model) {
    TypeTexts(model, {{EntryId::Beam1, "10"}, {EntryId::WaveLength, "1064"}, {EntryId::MaxPower, "10"}});
}

int KeptCount(Catalogue catalogue, const std::function<void(MainWindowModel&)>& type) {
    ModelFixture f(std::move(catalogue));
    type(f.model);
    f.model.Explore();
    return f.model.Grid().RowCount();
}

LocaleEnvironment::LocaleEnvironment() {
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(name);
        m_saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    setenv("LC_ALL", "C", 1);
}

LocaleEnvironment::~LocaleEnvironment() {
    for (const auto& [name, value] : m_saved) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
}

}  // namespace tavrin::test
