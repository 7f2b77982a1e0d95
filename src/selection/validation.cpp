#include "validation.h"

#include <string>

namespace tavrin {
namespace {

ValidationFailure Failure(const char* what, EntryId focus) {
    return ValidationFailure{Message{std::string("Sorry not enough data to find a product. Please, fill in ") + what,
                                     "Info", MessageIcon::Exclamation, MessageButtons::Ok},
                             focus};
}

}  // namespace

std::optional<ValidationFailure> ValidateInputs(const LaserInputState& state) {
    const auto empty = [&state](EntryId id) { return state.Entry(id).Text.empty(); };
    if (state.BeamShape == Shape::Circular) {
        if (empty(EntryId::Beam1)) {
            return Failure(
                "\u201C"
                "Beam Diameter"
                "\u201D value",
                EntryId::Beam1);
        }
    } else {
        if (empty(EntryId::Beam1)) {
            return Failure("beam length value(L).", EntryId::Beam1);
        }
        if (empty(EntryId::Beam2)) {
            return Failure("beam width value (W). del beam", EntryId::Beam2);
        }
    }
    if (empty(EntryId::WaveLength)) {
        return Failure("wavelength value.", EntryId::WaveLength);
    }
    if (state.LaserType == Laser::CW) {
        if (empty(EntryId::MaxPower)) {
            return Failure("MaxPower value.", EntryId::MaxPower);
        }
        return std::nullopt;
    }
    if (empty(EntryId::MaxPower) && empty(EntryId::MaxEnergy)) {
        return Failure("MaxEnergy value.", EntryId::MaxEnergy);
    }
    if (empty(EntryId::RepRate)) {
        return Failure("RepRate value.", EntryId::RepRate);
    }
    if (empty(EntryId::PulseWidth)) {
        return Failure("PulseWidth value.", EntryId::PulseWidth);
    }
    return std::nullopt;
}

}  // namespace tavrin
