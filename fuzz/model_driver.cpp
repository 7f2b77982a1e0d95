#include "model_driver.h"

#include <cmath>
#include <set>

namespace tavrin::fuzz {
namespace {

Catalogue RandomCatalogue(FuzzInput& input) {
    Catalogue catalogue;
    const int count = input.Below(5);
    for (int i = 0; i < count; ++i) {
        HeadRecord head = test::WideHead(input.Below(4) == 0 ? "A/B" : "H" + std::to_string(i));
        head.Aperture = input.Short();
        head.PowerMax = input.Short();
        head.PowerDensityMax = input.Short();
        head.PowerMin = input.Short() / 100.0;
        head.EnergyMax = input.Short();
        head.EnergyMin = input.Short() / 1000.0;
        head.WaveMin = input.Below(100) / 10.0;
        head.WaveMax = head.WaveMin + input.Below(200) / 10.0;
        head.CoatingNo = static_cast<std::int16_t>(input.Below(14) - 1);
        head.HeadType = input.Below(3) == 0 ? "Probe" : "Meter";
        catalogue.Heads.push_back(head);
    }
    for (int row = 1; row <= 10; ++row) {
        const double scale = std::pow(10.0, input.Below(8) - 3);
        for (int column = 0; column < 12; ++column) {
            catalogue.Coatings.Set(row, column, scale * (12 - column));
        }
    }
    return catalogue;
}

bool IsValueCaption(const std::string& caption, char decimal) {
    if (caption.empty() || caption == " " || caption == " < 0,1" || caption == " <0,1") {
        return true;
    }
    // A blank, then the "0.0" pattern: digits, the separator, one digit.
    std::size_t i = 1;
    if (caption.size() < 4 || caption[0] != ' ') {
        return false;
    }
    if (caption[i] == '-') {
        ++i;
    }
    const std::size_t digitsStart = i;
    while (i < caption.size() && std::isdigit(static_cast<unsigned char>(caption[i]))) {
        ++i;
    }
    return i > digitsStart && i + 2 == caption.size() && caption[i] == decimal &&
           std::isdigit(static_cast<unsigned char>(caption[i + 1]));
}

}  // namespace

ModelDriver::ModelDriver(FuzzInput& input) : m_input(&input) {
    const char decimal = input.Byte() % 2 == 0 ? '.' : ',';
    m_fixture = std::make_unique<test::ModelFixture>(RandomCatalogue(input), decimal,
                                                     std::filesystem::path("/nonexistent-tavrin-folder"));
    m_fixture->messages.answer = MessageAnswer::Cancel;
}

bool ModelDriver::Step() {
    if (m_input->Empty()) {
        return false;
    }
    MainWindowModel& model = Model();
    const auto entry = static_cast<EntryId>(m_input->Below(kEntryCount));
    switch (m_input->Below(13)) {
        case 0:
        case 1:
            model.TypeText(entry, m_input->Text(10));
            break;
        case 2: {
            std::string text = model.State().Entry(entry).Text;
            text += m_input->Text(1);
            model.TypeText(entry, text);
            break;
        }
        case 3: {
            std::string text = model.State().Entry(entry).Text;
            if (!text.empty()) {
                text.pop_back();
            }
            model.TypeText(entry, text);
            break;
        }
        case 4:
            model.ChooseUnit(entry, m_input->Below(7));
            break;
        case 5:
            model.ClickOption(static_cast<OptionId>(m_input->Below(8)));
            break;
        case 6:
            model.ResetData();
            break;
        case 7:
            model.Explore();
            break;
        case 8:
            model.CellSelected(m_input->Below(6) - 1);
            break;
        case 9:
            model.CellActivated(m_input->Below(6) - 1);
            break;
        case 10:
            model.PickWhyNot(m_input->Below(6) - 1);
            break;
        case 11:
            model.ChooseProfile(static_cast<Profile>(m_input->Below(3)));
            model.TypeProfileFactor(m_input->Text(6));
            model.TypeMaxShare(m_input->Text(4));
            model.ChooseThresholdRule(static_cast<ThresholdRule>(m_input->Below(2)));
            break;
        default:
            model.SortWhyNotBy(static_cast<WhyNotColumn>(m_input->Below(kWhyNotColumns)));
            model.ShowDetails(m_input->Below(2) == 0);
            break;
    }
    return true;
}

void ModelDriver::CheckInvariants() const {
    const MainWindowModel& model = m_fixture->model;
    const LaserInputState& s = model.State();
    Check(!s.Updating, "Updating is false between actions");
    const DetailsArea& details = model.Details();
    const std::size_t rejected = details.Details() ? details.Details()->rejected.size() : 0;
    Check(details.WhyNotCount() == rejected, "the Why not? list has a row per rejected head");
    Check(rejected == 0 || !details.WhyNotAt(rejected - 1).criterion.empty(), "every Why not? row names its criterion");
    Check(!details.PickedHead() || *details.PickedHead() < model.Heads().Heads.size(), "the pick is a head");
    Check(details.Chart().kind == ChartKind::None || !details.Bars().empty(), "a picked head has its bars");
    for (const double value :
         {s.BeamArea, s.BeamSize, s.AveragePower, s.PeakPower, s.PowerDensity, s.PeakPowerDensity, s.EnergyDensity}) {
        Check(std::isfinite(value), "derived values are finite");
    }
    for (int i = 0; i < kEntryCount; ++i) {
        const std::string& text = s.Entry(static_cast<EntryId>(i)).Text;
        Check(text.empty() || model.Numbers().IsNumeric(text), "entry texts are numbers", text);
    }
    Check(s.ProfileFactor.empty() || model.Numbers().IsNumeric(s.ProfileFactor), "the factor is a number",
          s.ProfileFactor);
    Check(s.BeamProfile != Profile::Uniform || model.PeakLine().empty(), "a uniform beam has no line at its centre");
    Check(s.MaxShare.empty() || model.Numbers().IsNumeric(s.MaxShare), "the ceiling is a number", s.MaxShare);
    Check(details.PickedHead() || details.Notes().empty(), "notes belong to a picked head");
    const char decimal = model.Numbers().DecimalSeparator();
    for (const LabelId label : {LabelId::VArea, LabelId::VAvgPower, LabelId::VPowerDensity, LabelId::VPeakPower,
                                LabelId::VPeakPowerDensity, LabelId::VEnergyDensity}) {
        Check(IsValueCaption(model.Labels().Get(label), decimal), "value captions follow the pattern",
              model.Labels().Get(label));
    }
    const std::pair<LabelId, std::set<std::string>> units[] = {
        {LabelId::MArea, {" mm2"}},
        {LabelId::MAvgPower, {" kW", " W", " mW"}},
        {LabelId::MPowerDensity, {" kW/cm2", " W/cm2", " mW/cm2"}},
        {LabelId::MPeakPower, {" GW", " MW", " kW", " W", " mW"}},
        {LabelId::MPeakPowerDensity, {" GW/cm2", " MW/cm2", " kW/cm2", " W/cm2", " mW/cm2"}},
        {LabelId::MEnergyDensity, {" kJ/cm2", " J/cm2", " mJ/cm2"}},
    };
    for (const auto& [label, captions] : units) {
        Check(captions.count(model.Labels().Get(label)) == 1, "unit captions are on their ladder",
              model.Labels().Get(label));
    }
}

}  // namespace tavrin::fuzz
