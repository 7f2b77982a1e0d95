#include "validation.h"

#include <cmath>
#include <string>

#include "beam/beam_profile.h"
#include "head_search.h"
#include "share_ceiling.h"

namespace tavrin {
namespace {

ValidationFailure Failure(const char* what, EntryId focus) {
    return ValidationFailure{Message{std::string("Sorry not enough data to find a product. Please, fill in ") + what,
                                     "Info", MessageIcon::Exclamation, MessageButtons::Ok},
                             focus};
}

ValidationFailure ValueFailure(const char* text, EntryId focus) {
    return ValidationFailure{Message{text, "Info", MessageIcon::Exclamation, MessageButtons::Ok}, focus};
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

std::optional<ValidationFailure> ValidateValues(const LaserInputState& state, const NumberEntry& numbers) {
    const std::optional<double> factor = PeakFactor(state, numbers);
    if (!factor) {
        ValidationFailure failure = ValueFailure(
            "Sorry, the peak-to-mean factor of a measured profile must be a number of at least 1.", EntryId::Beam1);
        failure.focusProfileFactor = true;
        return failure;
    }
    if (!ShareCeiling(state.MaxShare, numbers)) {
        ValidationFailure failure =
            ValueFailure("Sorry, the share of each limit to use at most must be a number above 0 and at most 100 (%).",
                         EntryId::Beam1);
        failure.focusMaxShare = true;
        return failure;
    }
    // The densities the search compares are at the centre of the beam: a
    // measured factor can take them past the largest number, and then the
    // factor is what to change.
    const auto peakFailure = [&state](const char* text) {
        ValidationFailure failure = ValueFailure(text, EntryId::Beam1);
        failure.focusProfileFactor = state.BeamProfile == Profile::Measured;
        return failure;
    };
    const auto positive = [&](EntryId id) {
        return numbers.BaseValue(state.Entry(id).Text, UnitPrefix(state, id)) > 0;
    };
    if (state.BeamShape == Shape::Circular) {
        if (!positive(EntryId::Beam1)) {
            return ValueFailure("Sorry, the beam diameter must be greater than 0 mm.", EntryId::Beam1);
        }
    } else {
        if (!positive(EntryId::Beam1)) {
            return ValueFailure("Sorry, the beam length (L) must be greater than 0 mm.", EntryId::Beam1);
        }
        if (!positive(EntryId::Beam2)) {
            return ValueFailure("Sorry, the beam width (W) must be greater than 0 mm.", EntryId::Beam2);
        }
    }
    if (!(state.BeamArea > 0)) {
        return ValueFailure("Sorry, the beam area cannot be computed from these sizes.", EntryId::Beam1);
    }
    // The search compares the aperture with a multiple of the size, which
    // must be a number too.
    if (!(state.BeamSize > 0) || !std::isfinite(state.BeamSize * kApertureFactor)) {
        return ValueFailure("Sorry, the beam size cannot be computed from these sizes.", EntryId::Beam1);
    }
    if (!positive(EntryId::WaveLength)) {
        return ValueFailure("Sorry, the wavelength must be greater than 0.", EntryId::WaveLength);
    }
    const bool pulsed = state.LaserType == Laser::Pulsed;
    if (pulsed && !state.MaxEnergy().Text.empty()) {
        if (!positive(EntryId::MaxEnergy)) {
            return ValueFailure("Sorry, the max energy must be greater than 0.", EntryId::MaxEnergy);
        }
    } else if (!positive(EntryId::MaxPower)) {
        return ValueFailure("Sorry, the max power must be greater than 0.", EntryId::MaxPower);
    }
    const auto peakPowerDensity = [&]() -> std::optional<ValidationFailure> {
        if (!std::isfinite(state.PowerDensity * *factor)) {
            return peakFailure("Sorry, the power density cannot be computed from these values.");
        }
        return std::nullopt;
    };
    if (!pulsed) {
        if (!(state.PowerDensity > 0)) {
            return ValueFailure("Sorry, the power density cannot be computed from these values.", EntryId::Beam1);
        }
        return peakPowerDensity();
    }
    if (!state.SinglePulse() && !positive(EntryId::RepRate)) {
        return ValueFailure("Sorry, the rep rate must be greater than 0.", EntryId::RepRate);
    }
    if (!positive(EntryId::PulseWidth)) {
        return ValueFailure("Sorry, the pulse width must be greater than 0.", EntryId::PulseWidth);
    }
    if (!(state.EnergyDensity > 0)) {
        return ValueFailure("Sorry, the energy density cannot be computed from these values.", EntryId::Beam1);
    }
    if (!std::isfinite(state.EnergyDensity * *factor)) {
        return peakFailure("Sorry, the energy density cannot be computed from these values.");
    }
    return peakPowerDensity();
}

}  // namespace tavrin
