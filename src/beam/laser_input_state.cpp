#include "laser_input_state.h"

namespace tavrin {
namespace {

std::string RemoveAll(std::string text, const std::string& symbol) {
    if (symbol.empty()) {
        return text;
    }
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t found = text.find(symbol, pos);
        if (found == std::string::npos) {
            out.append(text, pos, std::string::npos);
            return out;
        }
        out.append(text, pos, found - pos);
        pos = found + symbol.size();
    }
}

}  // namespace

const std::string& UnitEntry::Unit() const {
    static const std::string kNone;
    if (UnitIndex < 0 || UnitIndex >= static_cast<int>(Units.size())) {
        return kNone;
    }
    return Units[static_cast<std::size_t>(UnitIndex)];
}

int UnitEntry::IndexOf(const std::string& unit) const {
    for (std::size_t i = 0; i < Units.size(); ++i) {
        if (Units[i] == unit) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LaserInputState::LaserInputState() {
    WaveLength().Units = {"um", "nm"};
    MaxPower().Units = {"kW", "W", "mW", "uW", "nW", "pW"};
    MaxEnergy().Units = {"kJ", "J", "mJ", "uJ", "nJ", "pJ"};
    // As stored with the window; start-up refills it before the user sees it.
    RepRate().Units = {"MHz", "kHz", "Hz", kSingle};
    PulseWidth().Units = {"s", "ms", "us", "ns", "ps", "fs"};
}

void LaserInputState::ShowBeamWidth(bool visible) {
    Beam2().Visible = visible;
}

void LaserInputState::ShowPulseEntries(bool visible) {
    MaxEnergy().Visible = visible;
    RepRate().Visible = visible;
    PulseWidth().Visible = visible;
}

const char* UnitSymbol(EntryId id) {
    switch (id) {
        case EntryId::MaxPower:
            return "W";
        case EntryId::MaxEnergy:
            return "J";
        case EntryId::RepRate:
            return "Hz";
        case EntryId::PulseWidth:
            return "s";
        case EntryId::Beam1:
        case EntryId::Beam2:
        case EntryId::WaveLength:
            break;
    }
    return "";
}

std::string UnitPrefix(const LaserInputState& state, EntryId id) {
    return RemoveAll(state.Entry(id).Unit(), UnitSymbol(id));
}

}  // namespace tavrin
