#include "laser_record.h"

#include <algorithm>

#include "entry_cascade.h"

namespace tavrin {
namespace {

// Each field's name in the settings, in EntryId's order.
constexpr std::array<const char*, kEntryCount> kEntryKeys = {"beam1",  "beam2", "wavelength", "power",
                                                             "energy", "rate",  "pulse-width"};

// The texts of an enumeration's values, in its order.
constexpr std::array<const char*, 2> kLasers = {"cw", "pulsed"};
constexpr std::array<const char*, 2> kShapes = {"circular", "rectangular"};
constexpr std::array<const char*, 2> kMeasurements = {"power", "power-and-energy"};
constexpr std::array<const char*, 2> kProducts = {"power-meter", "probe"};
constexpr std::array<const char*, 3> kProfiles = {"uniform", "gaussian", "measured"};

template <typename Enum, std::size_t N>
std::string NameOf(Enum value, const std::array<const char*, N>& names) {
    return names[static_cast<std::size_t>(value)];
}

template <typename Enum, std::size_t N>
void ReadEnum(const std::string& text, const std::array<const char*, N>& names, Enum& value) {
    const auto found = std::find_if(names.begin(), names.end(), [&](const char* name) { return text == name; });
    if (found != names.end()) {
        value = static_cast<Enum>(found - names.begin());
    }
}

// The units first, so that each text is read in its own unit; then the
// texts in an order that leaves an entry the user typed as typed and the
// power and energy as the rate ties them.
void ReplayEntries(EntryCascade& entries, const LaserRecord& record) {
    for (int i = 0; i < kEntryCount; ++i) {
        const auto id = static_cast<EntryId>(i);
        const UnitEntry& entry = entries.State().Entry(id);
        const int index = entry.IndexOf(record.units[static_cast<std::size_t>(i)]);
        if (index >= 0 && index != entry.UnitIndex) {
            entries.ChooseUnit(id, index);
        }
    }
    for (const EntryId id : {EntryId::Beam1, EntryId::Beam2, EntryId::WaveLength, EntryId::PulseWidth, EntryId::RepRate,
                             EntryId::MaxEnergy, EntryId::MaxPower}) {
        const std::string& text = record.texts[static_cast<std::size_t>(id)];
        if (entries.State().Entry(id).Text != text) {
            entries.TypeText(id, text);
        }
    }
}

}  // namespace

LaserRecord RecordOf(const LaserInputState& state) {
    LaserRecord record;
    record.laser = state.LaserType;
    record.shape = state.BeamShape;
    record.measurement = state.MeasurementType;
    record.product = state.ProductType;
    record.profile = state.BeamProfile;
    record.profileFactor = state.ProfileFactor;
    for (int i = 0; i < kEntryCount; ++i) {
        const UnitEntry& entry = state.Entry(static_cast<EntryId>(i));
        record.texts[static_cast<std::size_t>(i)] = entry.Text;
        record.units[static_cast<std::size_t>(i)] = entry.Unit();
    }
    return record;
}

LaserFields FieldsOf(const LaserRecord& record) {
    LaserFields fields = {{"laser", NameOf(record.laser, kLasers)},
                          {"shape", NameOf(record.shape, kShapes)},
                          {"measurement", NameOf(record.measurement, kMeasurements)},
                          {"product", NameOf(record.product, kProducts)},
                          {"profile", NameOf(record.profile, kProfiles)},
                          {"profile-factor", record.profileFactor}};
    for (std::size_t i = 0; i < kEntryKeys.size(); ++i) {
        fields.emplace_back(kEntryKeys[i], record.texts[i]);
        if (!record.units[i].empty()) {
            fields.emplace_back(std::string(kEntryKeys[i]) + "-unit", record.units[i]);
        }
    }
    return fields;
}

LaserRecord RecordFromFields(const LaserFields& fields) {
    LaserRecord record;
    for (const auto& [key, value] : fields) {
        if (key == "laser") {
            ReadEnum(value, kLasers, record.laser);
        } else if (key == "shape") {
            ReadEnum(value, kShapes, record.shape);
        } else if (key == "measurement") {
            ReadEnum(value, kMeasurements, record.measurement);
        } else if (key == "product") {
            ReadEnum(value, kProducts, record.product);
        } else if (key == "profile") {
            ReadEnum(value, kProfiles, record.profile);
        } else if (key == "profile-factor") {
            record.profileFactor = value;
        }
        for (std::size_t i = 0; i < kEntryKeys.size(); ++i) {
            if (key == kEntryKeys[i]) {
                record.texts[i] = value;
            } else if (key == std::string(kEntryKeys[i]) + "-unit") {
                record.units[i] = value;
            }
        }
    }
    return record;
}

void Replay(EntryCascade& entries, const LaserRecord& record) {
    entries.ClickOption(record.laser == Laser::CW ? OptionId::CW : OptionId::Pulsed);
    entries.ClickOption(record.shape == Shape::Circular ? OptionId::Circular : OptionId::Rectangular);
    entries.ClickOption(record.measurement == Measurement::PowerOnly ? OptionId::Power : OptionId::PowerEnergy);
    entries.ClickOption(record.product == Product::PowerMeter ? OptionId::PowerMeter : OptionId::Probe);
    entries.ChooseProfile(record.profile);
    entries.TypeProfileFactor(record.profileFactor);
    // A second pass mends what a write-back of the first changed: a power
    // auto-ranged into another unit before its own text was typed.
    for (int pass = 0; pass < 2 && RecordOf(entries.State()) != record; ++pass) {
        ReplayEntries(entries, record);
    }
}

}  // namespace tavrin
