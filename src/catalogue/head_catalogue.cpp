#include "head_catalogue.h"

#include <array>
#include <optional>
#include <span>

#include "byte_io.h"
#include "cp1252.h"
#include "support/file_io.h"

namespace tavrin {
namespace {

// The texts stored before the numbers; the head type follows them.
constexpr std::span<const HeadTextField> kLeadingTexts(kHeadTextFields.data(), kHeadTextFields.size() - 1);

constexpr std::size_t kFixedBytes = 42;

// Whether one whole record follows, moving past it.
bool SkipRecord(ByteReader& reader) {
    for (std::size_t text = 0; text < kLeadingTexts.size(); ++text) {
        const auto length = reader.ReadU16();
        if (!length || !reader.ReadBytes(*length)) {
            return false;
        }
    }
    if (!reader.ReadBytes(kFixedBytes)) {
        return false;
    }
    const auto length = reader.ReadU16();
    return length && reader.ReadBytes(*length);
}

// The number of whole records, so that the catalogue is sized once.
std::size_t CountRecords(std::string_view bytes) {
    ByteReader reader(bytes);
    std::size_t count = 0;
    while (!reader.AtEnd() && SkipRecord(reader)) {
        ++count;
    }
    return count;
}

void ReadText(ByteReader& reader, std::string& text) {
    const auto length = reader.ReadU16();
    DecodeCp1252Into(reader.ReadBytes(length.value_or(0)).value_or(std::string_view()), text);
}

// Reads a record that is known to be whole.
void ReadRecord(ByteReader& reader, HeadRecord& head) {
    for (const auto& field : kLeadingTexts) {
        ReadText(reader, head.*field.member);
    }
    head.Aperture = reader.ReadI16().value_or(0);
    head.PowerMax = reader.ReadI16().value_or(0);
    head.PowerDensityMax = reader.ReadI16().value_or(0);
    head.PowerMin = reader.ReadDouble().value_or(0);
    head.EnergyMax = reader.ReadI16().value_or(0);
    head.EnergyMin = reader.ReadDouble().value_or(0);
    head.WaveMin = reader.ReadDouble().value_or(0);
    head.WaveMax = reader.ReadDouble().value_or(0);
    head.CoatingNo = reader.ReadI16().value_or(0);
    ReadText(reader, head.HeadType);
}

Result<void> WriteText(ByteWriter& writer, const HeadRecord& head, const char* field, const std::string& text) {
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
    return {};
}

}  // namespace

HeadFileShape InspectHeads(std::string_view bytes) {
    HeadFileShape shape;
    ByteReader reader(bytes);
    std::size_t wholeBytes = 0;
    while (!reader.AtEnd()) {
        ByteReader name = reader;
        if (!SkipRecord(reader)) {
            break;
        }
        ++shape.records;
        shape.unnamed += name.ReadU16() == 0 ? 1 : 0;
        wholeBytes = bytes.size() - reader.Remaining();
    }
    shape.trailingBytes = bytes.size() - wholeBytes;
    return shape;
}

std::vector<HeadRecord> LoadHeads(std::string_view bytes) {
    const std::size_t records = CountRecords(bytes);
    std::vector<HeadRecord> heads;
    heads.reserve(records);
    ByteReader reader(bytes);
    for (std::size_t i = 0; i < records; ++i) {
        HeadRecord& head = heads.emplace_back();
        ReadRecord(reader, head);
        if (head.Name.empty()) {
            heads.pop_back();
        }
    }
    return heads;
}

Result<std::string> SerializeHeads(const std::vector<HeadRecord>& heads) {
    ByteWriter writer;
    for (const auto& head : heads) {
        for (const auto& field : kLeadingTexts) {
            if (auto written = WriteText(writer, head, field.name, head.*field.member); !written) {
                return written.Failure();
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
        if (auto written = WriteText(writer, head, "HeadType", head.HeadType); !written) {
            return written.Failure();
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
