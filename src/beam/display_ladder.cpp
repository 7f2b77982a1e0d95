#include "display_ladder.h"

#include <array>
#include <charconv>
#include <cmath>

#include "engineering_text.h"

namespace tavrin {
namespace {

// Unit captions from the top step down: giga, mega, kilo, base, milli.
struct LadderUnits {
    std::array<const char*, 5> units;
    bool peak;  // the peak ladders go above kilo and show zero as a blank
};

LadderUnits UnitsOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::PeakPower:
            return {{" GW", " MW", " kW", " W", " mW"}, true};
        case Quantity::PeakPowerDensity:
            return {{" GW/cm2", " MW/cm2", " kW/cm2", " W/cm2", " mW/cm2"}, true};
        case Quantity::AveragePower:
            return {{"", "", " kW", " W", " mW"}, false};
        case Quantity::PowerDensity:
            return {{"", "", " kW/cm2", " W/cm2", " mW/cm2"}, false};
        case Quantity::EnergyDensity:
            break;
    }
    return {{"", "", " kJ/cm2", " J/cm2", " mJ/cm2"}, false};
}

}  // namespace

std::string ValueCaption(double number, const NumberEntry& numbers) {
    std::string caption(1, ' ');
    caption.append(numbers.FormatTenths(number));
    return caption;
}

DisplayCaptions Ladder(Quantity quantity, double value, const NumberEntry& numbers) {
    const LadderUnits ladder = UnitsOf(quantity);
    const auto show = [&numbers](double number, const char* unit) {
        return DisplayCaptions{ValueCaption(number, numbers), unit};
    };
    if (value < 1e4) {
        if (value >= 0.1) {
            return show(value, ladder.units[3]);
        }
        if (value == 0) {
            return DisplayCaptions{ladder.peak ? " " : "", ladder.units[3]};
        }
        if (value < 1e-5) {
            return DisplayCaptions{quantity == Quantity::EnergyDensity ? " <0,1" : " < 0,1", ladder.units[4]};
        }
        return show(value * 1000, ladder.units[4]);
    }
    if (value < 1e7 || !ladder.peak) {
        return show(value / 1e3, ladder.units[2]);
    }
    if (value < 1e10) {
        return show(value / 1e6, ladder.units[1]);
    }
    return show(value / 1e9, ladder.units[0]);
}

std::string CaptionIn(CaptionForm form, std::string valueCaption, char decimal) {
    // A value caption is a blank, then the number: an optional sign, digits,
    // the separator and one digit. Anything else (" < 0,1", a blank) stays.
    const std::size_t start = valueCaption.find_first_not_of(' ');
    if (form == CaptionForm::Window || start == std::string::npos) {
        return valueCaption;
    }
    std::string number = valueCaption.substr(start);
    const std::size_t separator = number.find(decimal);
    if (separator == std::string::npos || separator + 2 != number.size()) {
        return valueCaption;
    }
    number[separator] = '.';
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !(std::fabs(value) >= kPlainBelow)) {
        return valueCaption;
    }
    return valueCaption.substr(0, start) + FormatSignificant(value, decimal);
}

}  // namespace tavrin
