#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

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

// The kinds of value a head field holds, and how each is stored: a text as a
// 16-bit length and that many Windows-1252 bytes, a whole number in 16 bits, a
// number as an 8-byte double, all little-endian.
using HeadFieldMember = std::variant<std::string HeadRecord::*, std::int16_t HeadRecord::*, double HeadRecord::*>;

struct HeadField {
    const char* name;  // as the files and the CSV source form name it
    HeadFieldMember member;
    bool limit = false;  // a limit the search compares with the laser
};

// One visitor per kind of field, for std::visit over a field's member.
template <typename... Visitors>
struct FieldVisitor : Visitors... {
    using Visitors::operator()...;
};
template <typename... Visitors>
FieldVisitor(Visitors...) -> FieldVisitor<Visitors...>;

// The head's fields, in their order in a Heads.Dat record and in the columns
// of the CSV source form. The readers, writers and the check walk this table.
inline constexpr std::array<HeadField, 17> kHeadFields = {{
    {"Name", &HeadRecord::Name},
    {"ResArdo", &HeadRecord::ResArdo},
    {"ResRVX", &HeadRecord::ResRVX},
    {"ResBrisa", &HeadRecord::ResBrisa},
    {"ResQDM", &HeadRecord::ResQDM},
    {"ResSela", &HeadRecord::ResSela},
    {"ResVantic", &HeadRecord::ResVantic},
    {"Aperture", &HeadRecord::Aperture, true},
    {"PowerMax", &HeadRecord::PowerMax, true},
    {"PowerDensityMax", &HeadRecord::PowerDensityMax, true},
    {"PowerMin", &HeadRecord::PowerMin, true},
    {"EnergyMax", &HeadRecord::EnergyMax, true},
    {"EnergyMin", &HeadRecord::EnergyMin, true},
    {"WaveMin", &HeadRecord::WaveMin, true},
    {"WaveMax", &HeadRecord::WaveMax, true},
    {"CoatingNo", &HeadRecord::CoatingNo},
    {"HeadType", &HeadRecord::HeadType},
}};

// Whether the record's fields are, in order, of the kinds `layout` names, one
// letter a field: t a text, i a 16-bit whole number, d a double.
constexpr bool RecordLayoutIs(std::string_view layout) {
    if (layout.size() != kHeadFields.size()) {
        return false;
    }
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const HeadFieldMember& member = kHeadFields[i].member;
        const char kind = std::holds_alternative<std::string HeadRecord::*>(member)    ? 't'
                          : std::holds_alternative<std::int16_t HeadRecord::*>(member) ? 'i'
                                                                                       : 'd';
        if (kind != layout[i]) {
            return false;
        }
    }
    return true;
}
// A text added to the table would change no fixed byte, yet a reader that
// counts whole records would take it for more heads: the whole layout is
// held, not only its size. A new stored field goes into a file of its own
// beside Heads.Dat (ARCHITECTURE.md, "A head field").
static_assert(RecordLayoutIs("tttttttiiididddit"),
              "kHeadFields is Heads.Dat's record, which other programs read: no field is added, moved or removed");

// The head's texts, in their order on disk.
struct HeadTextField {
    const char* name;
    std::string HeadRecord::*member;
};
constexpr std::size_t CountHeadTextFields() {
    std::size_t count = 0;
    for (const HeadField& field : kHeadFields) {
        count += std::holds_alternative<std::string HeadRecord::*>(field.member) ? 1 : 0;
    }
    return count;
}
constexpr std::array<HeadTextField, CountHeadTextFields()> HeadTextFields() {
    std::array<HeadTextField, CountHeadTextFields()> texts{};
    std::size_t next = 0;
    for (const HeadField& field : kHeadFields) {
        if (std::holds_alternative<std::string HeadRecord::*>(field.member)) {
            texts[next++] = HeadTextField{field.name, std::get<std::string HeadRecord::*>(field.member)};
        }
    }
    return texts;
}
inline constexpr std::array<HeadTextField, CountHeadTextFields()> kHeadTextFields = HeadTextFields();

// A head is a probe when its type text, upper-cased, contains "PROBE".
bool IsProbe(const HeadRecord& head);

}  // namespace tavrin
