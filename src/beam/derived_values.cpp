#include "derived_values.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "display_ladder.h"

namespace tavrin {
namespace {

// A round beam's area takes π to six decimals, not std::numbers::pi: every
// area the program has ever shown and printed (and every density derived from
// it, which the search compares with the catalogue's limits) was worked out so,
// and a head kept at a limit must stay kept. The beam profile's integrals,
// which no earlier printout holds, use the full value.
constexpr double kAreaPi = 3.141592;

bool Empty(BeamHost& host, EntryId entry) {
    return host.InputState().Entry(entry).Text.empty();
}

double TypedValue(BeamHost& host, EntryId entry) {
    return host.Numbers().TextToValue(host.InputState().Entry(entry).Text);
}

// A value in range, or 0 after the host's overflow warning.
double Kept(BeamHost& host, std::optional<double> value) {
    if (value) {
        return *value;
    }
    host.WarnOverflow();
    return 0;
}

double Kept(BeamHost& host, double value) {
    return Kept(host, InRange(value));
}

void ShowLadder(BeamHost& host, Quantity quantity, double value, LabelId valueLabel, LabelId unitLabel) {
    DisplayCaptions captions = Ladder(quantity, value, host.Numbers());
    host.SetCaption(valueLabel, std::move(captions.value));
    host.SetCaption(unitLabel, std::move(captions.unit));
}

void AutoRange(BeamHost& host, EntryId entry);

// Writes a base-unit value into an entry in the unit its list shows, then
// re-ranges the entry.
void WriteDerived(BeamHost& host, EntryId entry, double baseValue) {
    const NumberEntry& numbers = host.Numbers();
    const double value = Kept(host, numbers.FromBaseUnit(baseValue, UnitPrefix(host.InputState(), entry)));
    host.WriteEntryText(entry, numbers.DoubleToText(value));
    AutoRange(host, entry);
}

// The power and energy entries range over their whole unit lists, from the
// top (kilo) down.
const std::vector<std::string>& Ladder(EntryId entry) {
    return UnitListOf(entry)->units;
}

int LadderStep(EntryId entry, const std::string& unit) {
    const auto& ladder = Ladder(entry);
    const auto found = std::find(ladder.begin(), ladder.end(), unit);
    return found == ladder.end() ? -1 : static_cast<int>(found - ladder.begin());
}

const std::string& LadderUnit(EntryId entry, int step) {
    return Ladder(entry)[static_cast<std::size_t>(step)];
}

// One unit step; true when the entry was rewritten.
bool AutoRangeStep(BeamHost& host, EntryId entry) {
    const NumberEntry& numbers = host.Numbers();
    const double value = TypedValue(host, entry);
    const int step = LadderStep(entry, host.InputState().Entry(entry).Unit());
    const int bottom = static_cast<int>(Ladder(entry).size()) - 1;
    if (step < 0) {
        return false;
    }
    if (step < bottom && value < 1) {
        host.WriteEntryText(entry, numbers.DoubleToText(Kept(host, value * 1000)));
        host.SelectUnitText(entry, LadderUnit(entry, step + 1));
        return true;
    }
    if (step > 0 && value >= 1000) {
        host.WriteEntryText(entry, numbers.DoubleToText(value * std::pow(10.0, -3)));
        host.SelectUnitText(entry, LadderUnit(entry, step - 1));
        return true;
    }
    return false;
}

void AutoRange(BeamHost& host, EntryId entry) {
    LaserInputState& state = host.InputState();
    const bool saved = state.Updating;
    state.Updating = true;
    if (!Empty(host, entry)) {
        // Each pass moves one unit step, so the walk is bounded by the ladder.
        const std::string& top = Ladder(entry).front();
        const std::string& bottom = Ladder(entry).back();
        while (AutoRangeStep(host, entry)) {
            const double value = TypedValue(host, entry);
            const std::string& unit = state.Entry(entry).Unit();
            const bool tooSmall = value < 1 && value != 0 && unit != bottom;
            const bool tooLarge = value >= 1000 && unit != top;
            if (!tooSmall && !tooLarge) {
                break;
            }
        }
    }
    state.Updating = saved;
}

double EntryValue(BeamHost& host, EntryId entry) {
    return Kept(host, host.Numbers().ToBaseUnit(TypedValue(host, entry), UnitPrefix(host.InputState(), entry)));
}

}  // namespace

void ShowBeamArea(BeamHost& host) {
    LaserInputState& state = host.InputState();
    const NumberEntry& numbers = host.Numbers();
    state.BeamArea = 0;
    bool computed = false;
    if (state.BeamShape == Shape::Rectangular) {
        if (!Empty(host, EntryId::Beam1) && !Empty(host, EntryId::Beam2)) {
            const double length = TypedValue(host, EntryId::Beam1);
            const double width = TypedValue(host, EntryId::Beam2);
            if (length != 0 || width != 0) {
                state.BeamSize = Kept(host, std::hypot(width, length));
                state.BeamArea = Kept(host, width * length);
                computed = true;
            }
        }
    } else if (!Empty(host, EntryId::Beam1)) {
        const double diameter = TypedValue(host, EntryId::Beam1);
        state.BeamArea = Kept(host, diameter * diameter * ((1.0 / 4) * kAreaPi));
        state.BeamSize = diameter;
        computed = true;
    }
    if (computed) {
        host.SetCaption(LabelId::VArea, ValueCaption(state.BeamArea, numbers));
        state.BeamArea = state.BeamArea / 100;
    } else {
        // A side or the diameter emptied: the area of the beam that was is gone.
        host.SetCaption(LabelId::VArea, "");
    }
    ShowPeakPowerDensity(host);
}

void ShowAveragePower(BeamHost& host) {
    LaserInputState& state = host.InputState();
    if (state.LaserType == Laser::CW) {
        state.AveragePower = EntryValue(host, EntryId::MaxPower);
    } else {
        const double rate = EntryValue(host, EntryId::RepRate);
        const double energy = EntryValue(host, EntryId::MaxEnergy);
        state.AveragePower = Kept(host, rate * energy);
    }
    if (state.SinglePulse()) {
        host.SetCaption(LabelId::VAvgPower, "");
        host.SetCaption(LabelId::MAvgPower, " W");
        return;
    }
    ShowLadder(host, Quantity::AveragePower, state.AveragePower, LabelId::VAvgPower, LabelId::MAvgPower);
}

void ShowPeakPower(BeamHost& host) {
    LaserInputState& state = host.InputState();
    if (state.LaserType == Laser::CW) {
        state.PeakPower = EntryValue(host, EntryId::MaxPower);
    } else {
        state.PeakPower = 0;
        if (!Empty(host, EntryId::PulseWidth)) {
            const double width = EntryValue(host, EntryId::PulseWidth);
            const double energy = EntryValue(host, EntryId::MaxEnergy);
            if (width != 0) {
                state.PeakPower = Kept(host, energy / width);
            }
        }
    }
    ShowLadder(host, Quantity::PeakPower, state.PeakPower, LabelId::VPeakPower, LabelId::MPeakPower);
    ShowPeakPowerDensity(host);
}

void ShowPeakPowerDensity(BeamHost& host) {
    LaserInputState& state = host.InputState();
    state.PeakPowerDensity = state.BeamArea != 0 ? Kept(host, state.PeakPower / state.BeamArea) : 0;
    ShowLadder(host, Quantity::PeakPowerDensity, state.PeakPowerDensity, LabelId::VPeakPowerDensity,
               LabelId::MPeakPowerDensity);
}

void ShowPowerDensity(BeamHost& host, bool powerEntered) {
    LaserInputState& state = host.InputState();
    if (state.Updating) {
        return;
    }
    state.PowerDensity = 0;
    if (state.BeamArea == 0) {
        // No beam to spread the power over: nothing is shown, nor written back.
        host.SetCaption(LabelId::VPowerDensity, "");
        return;
    }
    state.Updating = true;
    if (state.LaserType == Laser::CW) {
        if (!Empty(host, EntryId::MaxPower)) {
            const double power = EntryValue(host, EntryId::MaxPower);
            state.PowerDensity = Kept(host, power / state.BeamArea);
        }
    } else if (!Empty(host, EntryId::MaxEnergy) && !powerEntered) {
        if (!Empty(host, EntryId::RepRate)) {
            const double energy = EntryValue(host, EntryId::MaxEnergy);
            const double rate = EntryValue(host, EntryId::RepRate);
            const double power = Kept(host, energy * rate);
            if (!state.SinglePulse()) {
                WriteDerived(host, EntryId::MaxPower, power);
            }
            state.PowerDensity = Kept(host, power / state.BeamArea);
        }
    } else if (!Empty(host, EntryId::MaxPower)) {
        const double power = EntryValue(host, EntryId::MaxPower);
        state.PowerDensity = Kept(host, power / state.BeamArea);
    }
    if (state.SinglePulse()) {
        host.SetCaption(LabelId::VPowerDensity, "");
        host.SetCaption(LabelId::MPowerDensity, " W/cm2");
    } else {
        ShowLadder(host, Quantity::PowerDensity, state.PowerDensity, LabelId::VPowerDensity, LabelId::MPowerDensity);
    }
    state.Updating = false;
}

void ShowEnergyDensity(BeamHost& host, bool powerEntered) {
    LaserInputState& state = host.InputState();
    if (state.Updating) {
        return;
    }
    state.EnergyDensity = 0;
    state.Updating = true;
    // A CW laser has no pulses to tie its power to: nothing is written back
    // into the hidden pulse entries or from them into the user's CW power.
    const bool writeBack = state.LaserType != Laser::CW;
    if (state.BeamArea != 0) {
        if (!Empty(host, EntryId::MaxEnergy) && !powerEntered) {
            const double rate = EntryValue(host, EntryId::RepRate);
            const double energy = EntryValue(host, EntryId::MaxEnergy);
            state.EnergyDensity = Kept(host, energy / state.BeamArea);
            if (writeBack && !state.SinglePulse()) {
                WriteDerived(host, EntryId::MaxPower, Kept(host, energy * rate));
            }
        } else if (!Empty(host, EntryId::MaxPower) && !Empty(host, EntryId::RepRate)) {
            const double power = EntryValue(host, EntryId::MaxPower);
            const double rate = EntryValue(host, EntryId::RepRate);
            if (rate != 0) {
                const double energy = Kept(host, power / rate);
                state.EnergyDensity = Kept(host, energy / state.BeamArea);
                if (writeBack) {
                    WriteDerived(host, EntryId::MaxEnergy, energy);
                }
            }
        }
    }
    ShowLadder(host, Quantity::EnergyDensity, state.EnergyDensity, LabelId::VEnergyDensity, LabelId::MEnergyDensity);
    state.Updating = false;
}

}  // namespace tavrin
