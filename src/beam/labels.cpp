#include "labels.h"

#include "derived_rows.h"

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

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string ValueWithUnit(const LabelCaptions& labels, LabelId value) {
    std::string number = Trimmed(labels.Get(value));
    const auto row = DerivedRowOf(value);
    if (!row || row->value != value || number.empty()) {
        return number;
    }
    std::string unit = Trimmed(labels.Get(row->unit));
    if (unit.size() >= 2 && unit.compare(unit.size() - 2, 2, "m2") == 0) {
        unit.replace(unit.size() - 1, 1, "\u00B2");
    }
    return unit.empty() ? number : number + " " + unit;
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
