#pragma once

#include <array>
#include <string>
#include <vector>

namespace tavrin {

enum class Laser { CW, Pulsed };
enum class Shape { Circular, Rectangular };
enum class Measurement { PowerOnly, PowerAndEnergy };
enum class Product { PowerMeter, Probe };
// How the beam's power is spread over its area: flat (the densities are the
// means), Gaussian with the sizes entered at 1/e² of the peak, or a measured
// peak-to-mean factor typed by the user.
enum class Profile { Uniform, Gaussian, Measured };
// How the damage threshold is read between the coating table's points: as
// the table has always been read (straight lines, and the 100 ps value held
// down to 10 ps), or never above the power law through the neighbouring points.
enum class ThresholdRule { AsListed, Conservative };

// The seven text entries of the main window, in their order on the window.
enum class EntryId { Beam1, Beam2, WaveLength, MaxPower, MaxEnergy, RepRate, PulseWidth };
inline constexpr int kEntryCount = 7;

inline constexpr const char* kSingle = "Single";

// One typed number with its unit list. The two beam entries have no unit list.
struct UnitEntry {
    std::string Text;
    std::vector<std::string> Units;
    int UnitIndex = -1;
    bool Enabled = true;
    bool UnitEnabled = true;
    bool Visible = true;

    // Text of the selected item; empty when nothing is selected.
    [[nodiscard]] const std::string& Unit() const;
    // Index of the item with this text, or -1.
    [[nodiscard]] int IndexOf(const std::string& unit) const;

    friend bool operator==(const UnitEntry&, const UnitEntry&) = default;
};

// The one description of the user's laser: the entries as typed, the option
// choices and the beam values derived from them.
struct LaserInputState {
    LaserInputState();

    [[nodiscard]] UnitEntry& Entry(EntryId id) { return m_entries[static_cast<std::size_t>(id)]; }
    [[nodiscard]] const UnitEntry& Entry(EntryId id) const { return m_entries[static_cast<std::size_t>(id)]; }

    [[nodiscard]] UnitEntry& Beam1() { return Entry(EntryId::Beam1); }
    [[nodiscard]] UnitEntry& Beam2() { return Entry(EntryId::Beam2); }
    [[nodiscard]] UnitEntry& WaveLength() { return Entry(EntryId::WaveLength); }
    [[nodiscard]] UnitEntry& MaxPower() { return Entry(EntryId::MaxPower); }
    [[nodiscard]] UnitEntry& MaxEnergy() { return Entry(EntryId::MaxEnergy); }
    [[nodiscard]] UnitEntry& RepRate() { return Entry(EntryId::RepRate); }
    [[nodiscard]] UnitEntry& PulseWidth() { return Entry(EntryId::PulseWidth); }
    [[nodiscard]] const UnitEntry& Beam1() const { return Entry(EntryId::Beam1); }
    [[nodiscard]] const UnitEntry& Beam2() const { return Entry(EntryId::Beam2); }
    [[nodiscard]] const UnitEntry& WaveLength() const { return Entry(EntryId::WaveLength); }
    [[nodiscard]] const UnitEntry& MaxPower() const { return Entry(EntryId::MaxPower); }
    [[nodiscard]] const UnitEntry& MaxEnergy() const { return Entry(EntryId::MaxEnergy); }
    [[nodiscard]] const UnitEntry& RepRate() const { return Entry(EntryId::RepRate); }
    [[nodiscard]] const UnitEntry& PulseWidth() const { return Entry(EntryId::PulseWidth); }

    // Whether the rate unit reads exactly "Single" (a single pulse).
    [[nodiscard]] bool SinglePulse() const { return RepRate().Unit() == kSingle; }

    // Shows or hides the rectangle's width entry (with its "L" and "W" labels).
    void ShowBeamWidth(bool visible);
    // Shows or hides the energy, rate and pulse-width rows.
    void ShowPulseEntries(bool visible);

    Laser LaserType = Laser::CW;
    Shape BeamShape = Shape::Circular;
    Measurement MeasurementType = Measurement::PowerOnly;
    Product ProductType = Product::PowerMeter;
    bool PowerAndEnergySelectable = false;
    Profile BeamProfile = Profile::Uniform;
    std::string ProfileFactor;  // the measured peak-to-mean factor as typed
    // The most of each head limit the search lets the laser use, in percent
    // as typed; empty for 100.
    std::string MaxShare;
    ThresholdRule Threshold = ThresholdRule::AsListed;

    double BeamArea = 0;          // cm2 once computed
    double BeamSize = 0;          // mm
    double AveragePower = 0;      // W
    double PeakPower = 0;         // W
    double PowerDensity = 0;      // W/cm2
    double PeakPowerDensity = 0;  // W/cm2
    double EnergyDensity = 0;     // J/cm2

    bool Updating = false;

    friend bool operator==(const LaserInputState&, const LaserInputState&) = default;

private:
    std::array<UnitEntry, kEntryCount> m_entries;
};

// The units of an entry with a unit list (the beam entries have none): the
// items, the symbol an item's prefix is what remains of once removed ("W";
// empty where an item is taken whole), and the unit chosen at start-up. The
// rate's items are those of a repetitive laser; a single pulse adds "Single".
struct UnitList {
    std::vector<std::string> units;
    const char* symbol;
    const char* startUnit;
};
const UnitList* UnitListOf(EntryId id);

// The unit symbol removed from a unit item to leave its prefix: "W", "J", "Hz"
// or "s"; the wavelength and beam entries keep their text whole.
const char* UnitSymbol(EntryId id);

// The prefix of the entry's selected unit, as the conversions expect it.
std::string UnitPrefix(const LaserInputState& state, EntryId id);

}  // namespace tavrin
