// The main window's four option frames: which option is chosen, and what
// choosing one does to the entries, captions and derived values.
#include "entry_cascade.h"

#include "beam/derived_values.h"

namespace tavrin {

bool EntryCascade::OptionSelected(OptionId option) const {
    switch (option) {
        case OptionId::CW:
            return m_state.LaserType == Laser::CW;
        case OptionId::Pulsed:
            return m_state.LaserType == Laser::Pulsed;
        case OptionId::Circular:
            return m_state.BeamShape == Shape::Circular;
        case OptionId::Rectangular:
            return m_state.BeamShape == Shape::Rectangular;
        case OptionId::Power:
            return m_state.MeasurementType == Measurement::PowerOnly;
        case OptionId::PowerEnergy:
            return m_state.MeasurementType == Measurement::PowerAndEnergy;
        case OptionId::PowerMeter:
            return m_state.ProductType == Product::PowerMeter;
        case OptionId::Probe:
            break;
    }
    return m_state.ProductType == Product::Probe;
}

bool EntryCascade::OptionEnabled(OptionId option) const {
    return option != OptionId::PowerEnergy || m_state.PowerAndEnergySelectable;
}

void EntryCascade::SelectOption(OptionId option) {
    if (OptionSelected(option)) {
        return;
    }
    switch (option) {
        case OptionId::CW:
        case OptionId::Pulsed:
            m_state.LaserType = option == OptionId::CW ? Laser::CW : Laser::Pulsed;
            break;
        case OptionId::Circular:
        case OptionId::Rectangular:
            m_state.BeamShape = option == OptionId::Circular ? Shape::Circular : Shape::Rectangular;
            break;
        case OptionId::Power:
        case OptionId::PowerEnergy:
            m_state.MeasurementType = option == OptionId::Power ? Measurement::PowerOnly : Measurement::PowerAndEnergy;
            break;
        case OptionId::PowerMeter:
        case OptionId::Probe:
            m_state.ProductType = option == OptionId::PowerMeter ? Product::PowerMeter : Product::Probe;
            break;
    }
    m_view->OptionsChanged();
    OnOptionSelected(option);
}

void EntryCascade::OnOptionSelected(OptionId option) {
    switch (option) {
        case OptionId::Circular:
        case OptionId::Rectangular: {
            const bool rectangular = m_state.BeamShape == Shape::Rectangular;
            SetCaption(LabelId::Beam, rectangular ? kRectangularBeamCaption : kCircularBeamCaption);
            m_state.ShowBeamWidth(rectangular);
            m_view->EntryFlagsChanged();
            ShowBeamArea(*this);
            ShowAll(true);
            break;
        }
        case OptionId::CW:
        case OptionId::Pulsed:
            if (m_state.LaserType == Laser::CW) {
                m_state.PowerAndEnergySelectable = false;
                m_view->OptionsChanged();
                SelectOption(OptionId::Power);
                SetCaption(LabelId::Power, kCwPowerCaption);
                m_state.ShowPulseEntries(false);
                m_view->EntryFlagsChanged();
                SetCaption(LabelId::VEnergyDensity, "");
            } else {
                m_state.PowerAndEnergySelectable = true;
                m_view->OptionsChanged();
                SetCaption(LabelId::Power, kPulsedPowerCaption);
                m_state.ShowPulseEntries(true);
                m_view->EntryFlagsChanged();
            }
            ShowAll(true);
            break;
        case OptionId::Power:
            FillRepRateUnits(false);
            SetUnitEnabled(EntryId::RepRate, true);
            SetEnabled(EntryId::MaxPower, true);
            SetUnitEnabled(EntryId::MaxPower, true);
            ShowAll(true);
            break;
        case OptionId::PowerEnergy:
            FillRepRateUnits(true);
            SetEnabled(EntryId::MaxPower, false);
            SetUnitEnabled(EntryId::MaxPower, false);
            ShowAll(false);
            break;
        case OptionId::PowerMeter:
        case OptionId::Probe:
            break;
    }
}

}  // namespace tavrin
