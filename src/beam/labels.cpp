#include "labels.h"

namespace tavrin {

const char* LabelName(LabelId id) {
    static constexpr std::array<const char*, kLabelCount> kNames = {"lblBeam",
                                                                    "lblPower",
                                                                    "lblVArea",
                                                                    "lblMArea",
                                                                    "lblVAvgPower",
                                                                    "lblMAvgPower",
                                                                    "lblVPowerDensity",
                                                                    "lblMPowerDensity",
                                                                    "lblVPeakPower",
                                                                    "lblMPeakPower",
                                                                    "lblVPeakPowerDensity",
                                                                    "lblMPeakPowerDensity",
                                                                    "lblVEnergyDensity",
                                                                    "lblMEnergyDensity",
                                                                    "lblVArdo",
                                                                    "lblVBrisa",
                                                                    "lblVRVX",
                                                                    "lblVQDM",
                                                                    "lblVSela",
                                                                    "lblVVantic"};
    // cppcheck-suppress CastIntegerToAddressAtReturn ; an element of an array of names, not an integer
    return kNames[static_cast<std::size_t>(id)];
}

LabelCaptions::LabelCaptions() {
    Set(LabelId::MArea, " mm2");
    Set(LabelId::MAvgPower, " W");
    Set(LabelId::MPowerDensity, " W/cm2");
    Set(LabelId::MPeakPower, " W");
    Set(LabelId::MPeakPowerDensity, " W/cm2");
    Set(LabelId::MEnergyDensity, " J/cm2");
}

}  // namespace tavrin
