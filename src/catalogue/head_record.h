#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavrin {

// One detector head of the catalogue, fields in their order on disk.
// Texts are UTF-8 in memory; the file holds them in Windows-1252.
struct HeadRecord {
    std::string Name;
    std::string ResArdo;
    std::string ResRVX;
    std::string ResBrisa;
    std::string ResQDM;
    std::string ResSela;
    std::string ResVantic;
    std::int16_t Aperture = 0;         // mm
    std::int16_t PowerMax = 0;         // W
    std::int16_t PowerDensityMax = 0;  // W/cm2
    double PowerMin = 0;               // W
    std::int16_t EnergyMax = 0;        // J
    double EnergyMin = 0;              // J
    double WaveMin = 0;                // um
    double WaveMax = 0;                // um
    std::int16_t CoatingNo = 0;
    std::string HeadType;

    friend bool operator==(const HeadRecord&, const HeadRecord&) = default;
};

// The head's texts, named as the files name them, in their order on disk.
struct HeadTextField {
    const char* name;
    std::string HeadRecord::*member;
};
inline constexpr std::array<HeadTextField, 8> kHeadTextFields = {{
    {"Name", &HeadRecord::Name},
    {"ResArdo", &HeadRecord::ResArdo},
    {"ResRVX", &HeadRecord::ResRVX},
    {"ResBrisa", &HeadRecord::ResBrisa},
    {"ResQDM", &HeadRecord::ResQDM},
    {"ResSela", &HeadRecord::ResSela},
    {"ResVantic", &HeadRecord::ResVantic},
    {"HeadType", &HeadRecord::HeadType},
}};

// A head is a probe when its type text, upper-cased, contains "PROBE".
bool IsProbe(const HeadRecord& head);

}  // namespace tavrin
