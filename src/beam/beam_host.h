#pragma once

#include <string>

#include "beam/laser_input_state.h"
#include "labels.h"
#include "number_entry.h"

namespace tavrin {

// What the derived-value operations need from the window that owns them. The
// writes to entries behave like the window's controls: a text that changes, or
// a unit choice that moves the selection, raises that control's own change
// behaviour at once, nested inside the call.
class BeamHost {
public:
    virtual ~BeamHost() = default;

    virtual LaserInputState& InputState() = 0;
    virtual const NumberEntry& Numbers() const = 0;
    virtual void SetCaption(LabelId label, std::string caption) = 0;
    virtual void WriteEntryText(EntryId entry, std::string text) = 0;
    virtual void SelectUnitText(EntryId entry, const std::string& unit) = 0;
    // A derived value left the range of a double and is taken as 0.
    virtual void WarnOverflow() = 0;
};

}  // namespace tavrin
