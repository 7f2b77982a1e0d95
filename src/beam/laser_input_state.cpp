#include "laser_input_state.h"

#include <string_view>

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

const UnitList* UnitListOf(EntryId id) {
    static const UnitList kWaveLength{{"um", "nm"}, "", "nm"};
    static const UnitList kPower{{"kW", "W", "mW", "uW", "nW", "pW"}, "W", "W"};
    static const UnitList kEnergy{{"kJ", "J", "mJ", "uJ", "nJ", "pJ"}, "J", "J"};
    static const UnitList kRate{{"MHz", "kHz", "Hz"}, "Hz", "Hz"};
    static const UnitList kPulseWidth{{"s", "ms", "us", "ns", "ps", "fs"}, "s", "ms"};
    switch (id) {
        case EntryId::WaveLength:
            return &kWaveLength;
        case EntryId::MaxPower:
            return &kPower;
        case EntryId::MaxEnergy:
            return &kEnergy;
        case EntryId::RepRate:
            return &kRate;
        case EntryId::PulseWidth:
            return &kPulseWidth;
        case EntryId::Beam1:
        case EntryId::Beam2:
            break;
    }
    return nullptr;
}

LaserInputState::LaserInputState() {
    for (int i = 0; i < kEntryCount; ++i) {
        if (const UnitList* list = UnitListOf(static_cast<EntryId>(i))) {
            Entry(static_cast<EntryId>(i)).Units = list->units;
        }
    }
    // As stored with the window; start-up refills it before the user sees it.
    RepRate().Units.emplace_back(kSingle);
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
    const UnitList* list = UnitListOf(id);
    return list != nullptr ? list->symbol : "";
}

std::string UnitPrefix(const LaserInputState& state, EntryId id) {
    const std::string& unit = state.Entry(id).Unit();
    const std::string_view symbol = UnitSymbol(id);
    // The usual case, a symbol found only at the end, without building a text.
    if (!symbol.empty() && unit.size() >= symbol.size() && unit.find(symbol) == unit.size() - symbol.size()) {
        return unit.substr(0, unit.size() - symbol.size());
    }
    return RemoveAll(unit, std::string(symbol));
}

}  // namespace tavrin
