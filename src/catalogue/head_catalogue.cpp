#include "head_catalogue.h"

#include <array>
#include <cstdio>
#include <optional>
#include <variant>

#include "byte_io.h"
#include "cp1252.h"
#include "support/control_characters.h"
#include "support/file_io.h"
#include "support/utf8.h"

namespace tavrin {
namespace {

// A text's length is stored in 16 bits.
constexpr std::size_t kMaxTextBytes = 0xFFFF;

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
    if (!encoded || encoded->size() > kMaxTextBytes) {
        return Error{ErrorCode::NotEncodable, "Head " + QuotedForMessage(head.Name) + ", field " + field + ": " +
                                                  UnstorableText(text).value_or("")};
    }
    writer.WriteU16(static_cast<std::uint16_t>(encoded->size()));
    writer.WriteBytes(*encoded);
    return {};
}

}  // namespace

std::optional<std::string> UnstorableText(std::string_view text) {
    const auto encoded = EncodeCp1252(text);
    if (encoded) {
        if (encoded->size() > kMaxTextBytes) {
            return "longer than " + std::to_string(kMaxTextBytes) + " bytes";
        }
        return std::nullopt;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (!NextCodePoint(text, pos)) {
            return "is not UTF-8 text";
        }
        const std::string_view character = text.substr(start, pos - start);
        if (!EncodeCp1252(character)) {
            std::array<char, 16> codePoint{};
            std::size_t decoded = 0;
            std::snprintf(codePoint.data(), codePoint.size(), "U+%04X",
                          static_cast<unsigned>(NextCodePoint(character, decoded).value_or(0)));
            return "holds " + QuotedForMessage(character) + " (" + codePoint.data() +
                   "), a character that Windows-1252 cannot store";
        }
    }
    return "holds a character that Windows-1252 cannot store";
}

HeadFileShape InspectHeads(std::string_view bytes) {
    HeadFileShape shape;
    ByteReader reader(bytes);
    std::size_t wholeBytes = 0;
    while (!reader.AtEnd()) {
        ByteReader name = reader;
        if (!SkipRecord(reader)) {
            break;
        }
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
