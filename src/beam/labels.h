#pragma once

#include <array>
#include <string>

namespace tavrin {

// The labels of the main window whose captions change while it runs.
enum class LabelId {
    Beam,               // lblBeam
    Power,              // lblPower
    VArea,              // lblVArea
    MArea,              // lblMArea
    VAvgPower,          // lblVAvgPower
    MAvgPower,          // lblMAvgPower
    VPowerDensity,      // lblVPowerDensity
    MPowerDensity,      // lblMPowerDensity
    VPeakPower,         // lblVPeakPower
    MPeakPower,         // lblMPeakPower
    VPeakPowerDensity,  // lblVPeakPowerDensity
    MPeakPowerDensity,  // lblMPeakPowerDensity
    VEnergyDensity,     // lblVEnergyDensity
    MEnergyDensity,     // lblMEnergyDensity
    VArdo,              // lblVArdo
    VBrisa,             // lblVBrisa
    VRVX,               // lblVRVX
    VQDM,               // lblVQDM
    VSela,              // lblVSela
    VVantic,            // lblVVantic
};
inline constexpr int kLabelCount = 20;

inline constexpr const char* kCircularBeamCaption = " Beam Diameter (mm)";
inline constexpr const char* kRectangularBeamCaption = " Rectangle (mm * mm)";
inline constexpr const char* kCwPowerCaption = " Max Power";
inline constexpr const char* kPulsedPowerCaption = " (Max Power)";

// The control name of a label, as the window names its widget.
const char* LabelName(LabelId id);

class LabelCaptions;

// A value label's caption read with its unit label, as a sentence writes it
// (" 50.3" and " mm2" read "50.3 mm²"); empty while the value is. The
// monitor resolutions carry their unit in the value.
std::string ValueWithUnit(const LabelCaptions& labels, LabelId value);

// The captions of the changing labels, starting with their design captions.
class LabelCaptions {
public:
    LabelCaptions();

    [[nodiscard]] const std::string& Get(LabelId id) const { return m_captions[static_cast<std::size_t>(id)]; }
    void Set(LabelId id, std::string caption) { m_captions[static_cast<std::size_t>(id)] = std::move(caption); }

    friend bool operator==(const LabelCaptions&, const LabelCaptions&) = default;

private:
    std::array<std::string, kLabelCount> m_captions;
};

}  // namespace tavrin
