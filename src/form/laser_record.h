#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "beam/laser_input_state.h"

namespace tavrin {

class EntryCascade;

// The laser as the user set it up (the options, the beam profile, each
// entry's text and unit), without what is derived from it: what the window
// keeps between runs.
struct LaserRecord {
    Laser laser = Laser::CW;
    Shape shape = Shape::Circular;
    Measurement measurement = Measurement::PowerOnly;
    Product product = Product::PowerMeter;
    Profile profile = Profile::Uniform;
    std::string profileFactor;
    std::array<std::string, kEntryCount> texts{};
    std::array<std::string, kEntryCount> units{};  // the chosen item; empty for the beam entries

    friend bool operator==(const LaserRecord&, const LaserRecord&) = default;
};

LaserRecord RecordOf(const LaserInputState& state);

// The record as named text fields, for a settings file, and back. A field
// that is missing or names nothing the window offers keeps its start-up
// value; texts are typed later through the entry filter, so nothing read
// here reaches the laser unchecked.
using LaserFields = std::vector<std::pair<std::string, std::string>>;
LaserFields FieldsOf(const LaserRecord& record);
LaserRecord RecordFromFields(const LaserFields& fields);

// Sets the laser up again as a user would (options, profile, units, then
// the texts), each step raising its behaviour; a control the window would
// not let the user reach is left as it is.
void Replay(EntryCascade& entries, const LaserRecord& record);

}  // namespace tavrin
