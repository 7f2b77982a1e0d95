#include "head_catalogue.h"

#include <array>
#include <optional>
#include <variant>

#include "byte_io.h"
#include "cp1252.h"
#include "support/file_io.h"

namespace tavrin {
namespace {

// Whether one whole record follows, moving past it.
bool SkipRecord(ByteReader& reader) {
    for (const HeadField& field : kHeadFields) {
        const bool whole =
            std::visit(FieldVisitor{[&](std::string HeadRecord::*) {
                                        const auto length = reader.ReadU16();
                                        return length && reader.ReadBytes(*length);
                                    },
                                    [&](std::int16_t HeadRecord::*) { return reader.ReadBytes(2).has_value(); },
                                    [&](double HeadRecord::*) { return reader.ReadBytes(8).has_value(); }},
                       field.member);
        if (!whole) {
            return false;
        }
    }
    return true;
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

// Reads a record that is known to be whole.
void ReadRecord(ByteReader& reader, HeadRecord& head) {
    for (const HeadField& field : kHeadFields) {
        std::visit(FieldVisitor{[&](std::string HeadRecord::*member) {
                                    const auto length = reader.ReadU16();
                                    DecodeCp1252Into(reader.ReadBytes(length.value_or(0)).value_or(std::string_view()),
                                                     head.*member);
                                },
                                [&](std::int16_t HeadRecord::*member) { head.*member = reader.ReadI16().value_or(0); },
                                [&](double HeadRecord::*member) { head.*member = reader.ReadDouble().value_or(0); }},
                   field.member);
    }
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
        for (const HeadField& field : kHeadFields) {
            auto written = std::visit(FieldVisitor{[&](std::string HeadRecord::*member) {
                                                       return WriteText(writer, head, field.name, head.*member);
                                                   },
                                                   [&](std::int16_t HeadRecord::*member) {
                                                       writer.WriteI16(head.*member);
                                                       return Result<void>();
                                                   },
                                                   [&](double HeadRecord::*member) {
                                                       writer.WriteDouble(head.*member);
                                                       return Result<void>();
                                                   }},
                                      field.member);
            if (!written) {
                return written.Failure();
            }
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
