#include "test_support.h"

#include <fstream>
#include <iterator>

namespace tavrin::test {

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

std::filesystem::path FreshFolder(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() / ("tavrin-test-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
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

// A pulsed 10 mm beam: 1 J at 1 Hz and 1 ms, 1064 nm, power meter.
void TypePulsed(MainWindowModel& model) {
    model.ClickOption(OptionId::Pulsed);
    model.TypeText(EntryId::Beam1, "10");
    model.TypeText(EntryId::WaveLength, "1064");
    model.TypeText(EntryId::MaxEnergy, "1");
    model.TypeText(EntryId::RepRate, "1");
    model.TypeText(EntryId::PulseWidth, "1");
}

// The same beam and pulse measured one pulse at a time.
void TypeSinglePulse(MainWindowModel& model) {
    model.ClickOption(OptionId::Pulsed);
    model.ClickOption(OptionId::PowerEnergy);
    model.TypeText(EntryId::Beam1, "10");
    model.TypeText(EntryId::WaveLength, "1064");
    model.TypeText(EntryId::MaxEnergy, "1");
    model.TypeText(EntryId::PulseWidth, "1");
}

// A CW laser of 10 W in a 10 mm beam at 1064 nm.
void TypeCw(MainWindowModel& model) {
    model.TypeText(EntryId::Beam1, "10");
    model.TypeText(EntryId::WaveLength, "1064");
    model.TypeText(EntryId::MaxPower, "10");
}

void TypeTexts(MainWindowModel& model, std::initializer_list<std::pair<EntryId, const char*>> texts) {
    for (const auto& [entry, text] : texts) {
        model.TypeText(entry, text);
    }
}

int KeptCount(Catalogue catalogue, const std::function<void(MainWindowModel&)>& type) {
    ModelFixture f(std::move(catalogue));
    type(f.model);
    f.model.Explore();
    return f.model.Grid().RowCount();
}

}  // namespace tavrin::test
