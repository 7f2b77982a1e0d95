#include "entry_cascade.h"

#include <array>
#include <cassert>
#include <cmath>

#include "beam/beam_profile.h"
#include "beam/derived_rows.h"
#include "beam/derived_values.h"
#include "beam/display_ladder.h"
#include "beam/engineering_text.h"
#include "beam/entry_filter.h"
#include "selection/monitors.h"

namespace tavrin {
namespace {

// What the recomputation reads and writes; equal snapshots mean that running
// it again would change nothing.
struct Snapshot {
    LaserInputState state;
    LabelCaptions labels;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

}  // namespace

EntryCascade::EntryCascade(char decimalSeparator, MessageBoxService& messages, MainWindowView& view)
    : m_numbers(decimalSeparator), m_messages(&messages), m_view(&view) {}

void EntryCascade::StartUp() {
    SetCaption(LabelId::Beam, kCircularBeamCaption);
    m_state.ShowBeamWidth(false);
    SetCaption(LabelId::Power, kCwPowerCaption);
    m_state.ShowPulseEntries(false);
    m_view->EntryFlagsChanged();
    for (const EntryId entry : {EntryId::MaxEnergy, EntryId::MaxPower, EntryId::WaveLength, EntryId::PulseWidth}) {
        SelectUnitNamed(entry, UnitListOf(entry)->startUnit);
    }
    FillRepRateUnits(false);
}

bool EntryCascade::TypeText(EntryId entry, std::string text) {
    const UnitEntry& target = m_state.Entry(entry);
    if (!target.Visible || !target.Enabled) {
        return false;
    }
    WriteEntryText(entry, std::move(text));
    return true;
}

bool EntryCascade::ChooseUnit(EntryId entry, int index) {
    const UnitEntry& target = m_state.Entry(entry);
    if (!target.Visible || !target.UnitEnabled || index < 0 || index >= static_cast<int>(target.Units.size())) {
        return false;
    }
    SelectUnitIndex(entry, index);
    return true;
}

bool EntryCascade::ClickOption(OptionId option) {
    if (!OptionEnabled(option)) {
        return false;
    }
    SelectOption(option);
    return true;
}

void EntryCascade::ClearEntries() {
    static constexpr std::array<EntryId, 7> kOrder = {EntryId::Beam1,     EntryId::Beam2,      EntryId::MaxEnergy,
                                                      EntryId::MaxPower,  EntryId::PulseWidth, EntryId::RepRate,
                                                      EntryId::WaveLength};
    for (const EntryId entry : kOrder) {
        WriteEntryText(entry, "");
    }
    if (!m_state.ProfileFactor.empty() || !m_state.MaxShare.empty()) {
        m_state.ProfileFactor.clear();
        m_state.MaxShare.clear();
        m_view->ProfileChanged();
    }
    for (const DerivedRow& row : kDerivedRows) {
        SetCaption(row.value, "");
    }
    for (const Monitor& monitor : kMonitors) {
        SetCaption(monitor.valueLabel, "");
    }
}

void EntryCascade::Restore(Kept kept) {
    m_state = std::move(kept.state);
    m_labels = std::move(kept.labels);
    for (int i = 0; i < kEntryCount; ++i) {
        m_view->EntryTextChanged(static_cast<EntryId>(i));
        m_view->EntryUnitsChanged(static_cast<EntryId>(i));
    }
    m_view->EntryFlagsChanged();
    m_view->OptionsChanged();
    m_view->ProfileChanged();
    for (int i = 0; i < kLabelCount; ++i) {
        m_view->LabelChanged(static_cast<LabelId>(i));
    }
}

// The numeric test reads the other separator as a digit group, the
// conversion as a second decimal separator: such a text reads as 0.
std::string EntryCascade::Warning(EntryId entry) const {
    const std::string& text = m_state.Entry(entry).Text;
    if (text.empty() || m_numbers.ConvertsToNumber(text)) {
        return "";
    }
    std::string plain;
    for (const char c : text) {
        if (c != m_numbers.OtherSeparator()) {
            plain += c;
        }
    }
    return "no thousands separator: type " + plain;
}

void EntryCascade::ChooseProfile(Profile profile) {
    if (m_state.BeamProfile == profile) {
        return;
    }
    m_state.BeamProfile = profile;
    m_view->ProfileChanged();
}

bool EntryCascade::TypeProfileFactor(std::string text) {
    if (m_state.BeamProfile != Profile::Measured) {
        return false;
    }
    text = CutToNumeric(text, m_numbers).text;
    if (m_state.ProfileFactor != text) {
        m_state.ProfileFactor = std::move(text);
        m_view->ProfileChanged();
    }
    return true;
}

void EntryCascade::TypeMaxShare(std::string text) {
    text = CutToNumeric(text, m_numbers).text;
    if (m_state.MaxShare != text) {
        m_state.MaxShare = std::move(text);
        m_view->ProfileChanged();
    }
}

void EntryCascade::ChooseThresholdRule(ThresholdRule rule) {
    if (m_state.Threshold != rule) {
        m_state.Threshold = rule;
        m_view->ProfileChanged();
    }
}

std::string EntryCascade::PeakLine(CaptionForm form) const {
    std::string text;
    for (const std::string& line : CentreLines(m_state, m_numbers, form)) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

void EntryCascade::ShowCaption(LabelId label, std::string caption) {
    SetCaption(label, std::move(caption));
}

// Peak power, average power and both densities, as most rows of the
// recomputation run them.
void EntryCascade::ShowAll(bool powerEntered) {
    ShowPeakPower(*this);
    ShowAveragePower(*this);
    ShowPowerDensity(*this, powerEntered);
    ShowEnergyDensity(*this, powerEntered);
}

void EntryCascade::SetCaption(LabelId label, std::string caption) {
    if (m_labels.Get(label) == caption) {
        return;
    }
    m_labels.Set(label, std::move(caption));
    m_view->LabelChanged(label);
}

void EntryCascade::WriteEntryText(EntryId entry, std::string text) {
    UnitEntry& target = m_state.Entry(entry);
    if (target.Text == text) {
        return;
    }
    std::size_t cuts = 0;
    const bool filtered = !(entry == EntryId::MaxEnergy && m_state.Updating);
    if (filtered) {
        FilteredText result = CutToNumeric(text, m_numbers);
        text = std::move(result.text);
        cuts = result.cuts;
    }
    target.Text = std::move(text);
    m_view->EntryTextChanged(entry);
    OnTextChanged(entry, cuts);
}

// The entry filter cuts a text that is not a number one character at a time,
// each cut raising the change behaviour nested inside the previous one; every
// level then recomputes from the same final text. The cutting is done in one
// go, and the recomputation repeats only while it still changes something.
void EntryCascade::OnTextChanged(EntryId entry, std::size_t cuts) {
    RecomputeAfterText(entry);
    for (std::size_t run = 0; run < cuts; ++run) {
        const Snapshot before{m_state, m_labels};
        RecomputeAfterText(entry);
        if (Snapshot{m_state, m_labels} == before) {
            break;
        }
    }
}

void EntryCascade::RecomputeAfterText(EntryId entry) {
    const bool coupled = entry == EntryId::MaxPower || entry == EntryId::MaxEnergy;
    if (coupled && m_state.Entry(entry).Text.empty()) {
        return;
    }
    Recompute(StepsAfterText(entry), entry == EntryId::MaxPower);
}

void EntryCascade::Recompute(std::span<const RecomputeStep> steps, bool powerEntered) {
    for (const RecomputeStep step : steps) {
        switch (step) {
            case RecomputeStep::BeamArea:
                ShowBeamArea(*this);
                break;
            case RecomputeStep::PeakPower:
                ShowPeakPower(*this);
                break;
            case RecomputeStep::AveragePower:
                ShowAveragePower(*this);
                break;
            case RecomputeStep::PowerDensity:
                ShowPowerDensity(*this, false);
                break;
            case RecomputeStep::EnergyDensity:
                ShowEnergyDensity(*this, false);
                break;
            case RecomputeStep::All:
                ShowAll(powerEntered);
                break;
        }
    }
}

void EntryCascade::WarnOverflow() {
    m_messages->Show(Message{"S\u00EC, scrivici valore troppo elevato se abbinato agli altri parametri impostati",
                             "Attenzione", MessageIcon::Exclamation, MessageButtons::Ok});
}

// Auto-ranging's choice; a unit the list lacks is a mistake in the unit lists.
void EntryCascade::SelectUnitText(EntryId entry, const std::string& unit) {
    SelectUnitNamed(entry, unit);
}

void EntryCascade::SelectUnitIndex(EntryId entry, int index) {
    UnitEntry& target = m_state.Entry(entry);
    if (target.UnitIndex == index) {
        return;
    }
    target.UnitIndex = index;
    m_view->EntryUnitsChanged(entry);
    if (index != -1) {
        OnUnitChosen(entry);
    }
}

void EntryCascade::OnUnitChosen(EntryId entry) {
    if (entry == EntryId::RepRate) {
        ApplyRepRateRule();
    }
    Recompute(StepsAfterUnit(entry), entry == EntryId::MaxPower);
}

void EntryCascade::ApplyRepRateRule() {
    if (m_state.SinglePulse()) {
        SetEnabled(EntryId::RepRate, false);
        WriteEntryText(EntryId::RepRate, "1");
        SetUnitEnabled(EntryId::MaxPower, false);
        SetEnabled(EntryId::MaxPower, false);
        WriteEntryText(EntryId::MaxPower, "");
    } else {
        SetUnitEnabled(EntryId::MaxPower, true);
        SetEnabled(EntryId::MaxPower, true);
        SetEnabled(EntryId::RepRate, true);
    }
}

void EntryCascade::FillRepRateUnits(bool withSingle) {
    UnitEntry& rate = m_state.RepRate();
    rate.UnitIndex = -1;
    rate.Units = UnitListOf(EntryId::RepRate)->units;
    if (withSingle) {
        rate.Units.emplace_back(kSingle);
    }
    m_view->EntryUnitsChanged(EntryId::RepRate);
    SelectUnitNamed(EntryId::RepRate, withSingle ? kSingle : UnitListOf(EntryId::RepRate)->startUnit);
}

// A unit the list lacks is a mistake in the unit lists, never the user's.
void EntryCascade::SelectUnitNamed(EntryId entry, const std::string& unit) {
    const int index = m_state.Entry(entry).IndexOf(unit);
    assert(index >= 0 && "a unit its entry's list lacks");
    SelectUnitIndex(entry, index);
}

void EntryCascade::SetEnabled(EntryId entry, bool enabled) {
    m_state.Entry(entry).Enabled = enabled;
    m_view->EntryFlagsChanged();
}

void EntryCascade::SetUnitEnabled(EntryId entry, bool enabled) {
    m_state.Entry(entry).UnitEnabled = enabled;
    m_view->EntryFlagsChanged();
}

}  // namespace tavrin
