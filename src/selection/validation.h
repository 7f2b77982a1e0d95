#pragma once

#include <optional>

#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "support/message_box.h"

namespace tavrin {

struct ValidationFailure {
    Message message;
    EntryId focus;                    // the entry that gets the input focus once the message is closed
    bool focusProfileFactor = false;  // the peak-to-mean factor gets it instead
    bool focusMaxShare = false;       // the ceiling gets it instead
};

// Checks that every entry a search needs is filled in; the first check that
// fails decides the message. Only emptiness is tested, not the numbers.
std::optional<ValidationFailure> ValidateInputs(const LaserInputState& state);

// Once every entry is filled in: checks that the values the search reads are
// ones it can use (sizes, wavelength, power or energy, rate and pulse width
// above 0; an area, a beam size and densities, at the centre of the beam too,
// that could be computed; a ceiling above 0 and at most 100 %); an empty text,
// a text that is not a number and a value out of range all read as 0 there.
std::optional<ValidationFailure> ValidateValues(const LaserInputState& state, const NumberEntry& numbers);

}  // namespace tavrin
