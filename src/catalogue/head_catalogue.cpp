#include "head_catalogue.h"

#include <array>
#include <optional>

#include "byte_io.h"
#include "cp1252.h"
#include "file_io.h"

namespace tavrin {
namespace {

struct TextField {
    const char* name;
    std::string HeadRecord::*member;
};

constexpr std::array<TextField, 7> kLeadingTexts = {{
    {"Name", &HeadRecord::Name},
    {"ResArdo", &HeadRecord::ResArdo},
    {"ResRVX", &HeadRecord::ResRVX},
    {"ResBrisa", &HeadRecord::ResBrisa},
    {"ResQDM", &HeadRecord::ResQDM},
    {"ResSela", &HeadRecord::ResSela},
    {"ResVantic", &HeadRecord::ResVantic},
}};

std::optional<std::string> ReadText(ByteReader& reader) {
    const auto length = reader.ReadU16();
    if (!length) {
        return std::nullopt;
    }
    const auto bytes = reader.ReadBytes(*length);
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeCp1252(*bytes);
}

// One whole record, or nothing when the data ends inside it.
std::optional<HeadRecord> ReadRecord(ByteReader& reader) {
    HeadRecord head;
    for (const auto& field : kLeadingTexts) {
        auto text = ReadText(reader);
        if (!text) {
            return std::nullopt;
        }
        head.*field.member = std::move(*text);
    }
    const auto aperture = reader.ReadI16();
    const auto powerMax = reader.ReadI16();
    const auto densityMax = reader.ReadI16();
    const auto powerMin = reader.ReadDouble();
    const auto energyMax = reader.ReadI16();
    const auto energyMin = reader.ReadDouble();
    const auto waveMin = reader.ReadDouble();
    const auto waveMax = reader.ReadDouble();
    const auto coatingNo = reader.ReadI16();
    auto headType = ReadText(reader);
    if (!headType) {
        return std::nullopt;
    }
    head.Aperture = *aperture;
    head.PowerMax = *powerMax;
    head.PowerDensityMax = *densityMax;
    head.PowerMin = *powerMin;
    head.EnergyMax = *energyMax;
    head.EnergyMin = *energyMin;
    head.WaveMin = *waveMin;
    head.WaveMax = *waveMax;
    head.CoatingNo = *coatingNo;
    head.HeadType = std::move(*headType);
    return head;
}

std::optional<Error> WriteText(ByteWriter& writer, const HeadRecord& head, const char* field, const std::string& text) {
    const auto encoded = EncodeCp1252(text);
    if (!encoded) {
        return Error{ErrorCode::NotEncodable, "Head \"" + head.Name + "\", field " + field +
                                                  ": holds a character that Windows-1252 cannot store"};
    }
    if (encoded->size() > 0xFFFF) {
        return Error{ErrorCode::NotEncodable,
                     "Head \"" + head.Name + "\", field " + field + ": longer than 65535 bytes"};
    }
    writer.WriteU16(static_cast<std::uint16_t>(encoded->size()));
    writer.WriteBytes(*encoded);
    return std::nullopt;
}

}  // namespace

std::vector<HeadRecord> LoadHeads(std::string_view bytes) {
    std::vector<HeadRecord> heads;
    ByteReader reader(bytes);
    while (!reader.AtEnd()) {
        auto head = ReadRecord(reader);
        if (!head) {
            break;
        }
        if (!head->Name.empty()) {
            heads.push_back(std::move(*head));
        }
    }
    return heads;
}

Result<std::string> SerializeHeads(const std::vector<HeadRecord>& heads) {
    ByteWriter writer;
    for (const auto& head : heads) {
        for (const auto& field : kLeadingTexts) {
            if (auto error = WriteText(writer, head, field.name, head.*field.member)) {
                return *error;
            }
        }
        writer.WriteI16(head.Aperture);
        writer.WriteI16(head.PowerMax);
        writer.WriteI16(head.PowerDensityMax);
        writer.WriteDouble(head.PowerMin);
        writer.WriteI16(head.EnergyMax);
        writer.WriteDouble(head.EnergyMin);
        writer.WriteDouble(head.WaveMin);
        writer.WriteDouble(head.WaveMax);
        writer.WriteI16(head.CoatingNo);
        if (auto error = WriteText(writer, head, "HeadType", head.HeadType)) {
            return *error;
        }
    }
    return writer.Bytes();
}

Result<std::vector<HeadRecord>> LoadHeadsFile(const std::filesystem::path& file) {
    auto bytes = ReadWholeFile(file, "Heads File Missing");
    if (!bytes) {
        return bytes.Failure();
    }
    return LoadHeads(bytes.Value());
}

}  // namespace tavrin
