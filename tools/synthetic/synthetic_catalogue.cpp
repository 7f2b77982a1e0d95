#include "synthetic_catalogue.h"

#include <array>
#include <cmath>
#include <random>
#include <string>

namespace tavrin {
namespace {

struct Family {
    const char* prefix;
    std::int16_t coating;
    double waveMin;
    double waveMax;
    double densityMax;  // W/cm2
    const char* type;
};

constexpr std::array<Family, 9> kFamilies = {{
    {"TQ", 1, 0.19, 20, 3000, "Thermal Power Meter"},
    {"TQS", 2, 0.19, 20, 8000, "Thermal Power Meter"},
    {"ZR", 3, 0.8, 11, 25000, "Thermal Power Meter"},
    {"GDK", 4, 0.19, 12, 800, "Pyroelectric Energy Meter"},
    {"VMS", 5, 0.19, 3, 1000, "Thermal Energy Meter"},
    {"VMT", 6, 0.19, 3, 1200, "Thermal Energy Meter"},
    {"UV-C", 7, 0.19, 0.28, 800, "Thermal Power Meter"},
    {"UV-A", 7, 0.25, 0.4, 700, "Thermal Power Meter"},
    {"TQP", 1, 0.19, 20, 2500, "Thermal Probe"},
}};

std::string Base36(std::size_t number) {
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[number % 36]);
        number /= 36;
    } while (number > 0);
    return text;
}

std::string Resolution(double watts) {
    static constexpr std::array<std::pair<double, const char*>, 4> kScales = {
        {{1, "W"}, {1e-3, "mW"}, {1e-6, "\u00B5W"}, {1e-9, "nW"}}};
    for (const auto& [scale, unit] : kScales) {
        if (watts >= scale) {
            return std::to_string(static_cast<int>(std::lround(watts / scale))) + unit;
        }
    }
    return "1nW";
}

}  // namespace

Catalogue SyntheticCatalogue(std::size_t heads, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> family(0, kFamilies.size() - 1);
    std::uniform_real_distribution<double> decade(0, 3.5);
    std::uniform_int_distribution<int> aperture(8, 100);

    Catalogue catalogue;
    catalogue.Heads.reserve(heads);
    for (std::size_t i = 0; i < heads; ++i) {
        const Family& f = kFamilies[family(random)];
        const double powerMax = std::round(std::pow(10.0, decade(random)));
        HeadRecord head;
        head.Aperture = static_cast<std::int16_t>(aperture(random));
        // Family, power and a serial in base 36: unique, and short as product names are.
        head.Name = std::string(f.prefix) + std::to_string(static_cast<int>(powerMax)) + "-" + Base36(i);
        const double minimum = powerMax / 500;
        head.ResArdo = Resolution(minimum / 10);
        head.ResRVX = Resolution(minimum / 3);
        head.ResBrisa = Resolution(minimum / 5);
        head.ResQDM = Resolution(minimum / 10);
        head.ResSela = Resolution(minimum / 2);
        head.ResVantic = Resolution(minimum / 5);
        head.PowerMax = static_cast<std::int16_t>(powerMax);
        head.PowerDensityMax = static_cast<std::int16_t>(f.densityMax);
        head.PowerMin = minimum;
        head.EnergyMax = static_cast<std::int16_t>(std::max(1.0, std::min(300.0, powerMax / 5)));
        head.EnergyMin = minimum / 100;
        head.WaveMin = f.waveMin;
        head.WaveMax = f.waveMax;
        head.CoatingNo = f.coating;
        head.HeadType = f.type;
        catalogue.Heads.push_back(std::move(head));
    }
    // Thresholds that fall with the square root of the pulse width.
    for (int row = 1; row <= 10; ++row) {
        const double at10ns = row <= 4 ? 0.1 * row : (row <= 7 ? 5.0 * (row - 3) : 2.5 * (row - 6));
        for (int column = 0; column < 12; ++column) {
            const double tau = column == 11 ? 1e-12 : std::pow(10.0, -column);
            catalogue.Coatings.Set(row, column, at10ns * std::sqrt(tau / 1e-8));
        }
    }
    return catalogue;
}

}  // namespace tavrin
