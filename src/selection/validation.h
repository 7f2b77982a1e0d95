#pragma once

#include <optional>

#include "beam/laser_input_state.h"
#include "support/message_box.h"

namespace tavrin {

struct ValidationFailure {
    Message message;
    EntryId focus;  // the entry that gets the input focus once the message is closed
};

// Checks that every entry a search needs is filled in; the first check that
// fails decides the message. Only emptiness is tested, not the numbers.
std::optional<ValidationFailure> ValidateInputs(const LaserInputState& state);

}  // namespace tavrin
