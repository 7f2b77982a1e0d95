#pragma once

#include <array>
#include <optional>

#include "labels.h"
#include "laser_input_state.h"

namespace tavrin {

// The derived beam values as the window lays them out, one row each: a name
// label, a value label and a unit label. The window, the report, the request
// and the command line's text and JSON walk this table in its order.
struct DerivedRow {
    const char* nameLabel;  // the control name of the row's name label
    const char* caption;    // the name label's caption, which never changes
    LabelId value;
    LabelId unit;
    double LaserInputState::*amount;  // the value itself: at 0 the report and the request leave the row out
    bool inRequest;                   // the custom-head request lists the row
};

inline constexpr std::array<DerivedRow, 6> kDerivedRows = {{
    {"lblArea", " Area", LabelId::VArea, LabelId::MArea, &LaserInputState::BeamArea, true},
    {"lblAvrPower", " Avg. Power", LabelId::VAvgPower, LabelId::MAvgPower, &LaserInputState::AveragePower, false},
    {"lblPowerDensity", " Power Density", LabelId::VPowerDensity, LabelId::MPowerDensity,
     &LaserInputState::PowerDensity, true},
    {"lblPeakPower", " Peak Power", LabelId::VPeakPower, LabelId::MPeakPower, &LaserInputState::PeakPower, false},
    {"lblPeakPowerDensity", " Peak Power Density", LabelId::VPeakPowerDensity, LabelId::MPeakPowerDensity,
     &LaserInputState::PeakPowerDensity, false},
    {"lblEnergyDensity", " Energy Density", LabelId::VEnergyDensity, LabelId::MEnergyDensity,
     &LaserInputState::EnergyDensity, true},
}};

// The row whose value or unit label `label` is; none for another label.
constexpr std::optional<DerivedRow> DerivedRowOf(LabelId label) {
    for (const DerivedRow& row : kDerivedRows) {
        if (row.value == label || row.unit == label) {
            return row;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin
