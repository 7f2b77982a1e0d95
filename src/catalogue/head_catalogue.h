#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "head_record.h"
#include "support/result.h"

namespace tavrin {

inline constexpr const char* kHeadsFileName = "Heads.Dat";

// Reads the records of a "Heads.Dat" image in file order. Records with an
// empty name are skipped; a last record cut short by the end of the data is
// dropped whole.
std::vector<HeadRecord> LoadHeads(std::string_view bytes);

// How a "Heads.Dat" image divides into records, for the catalogue check.
struct HeadFileShape {
    std::size_t unnamed = 0;        // records with an empty name, which the loader skips
    std::size_t trailingBytes = 0;  // bytes after the last whole record
};
HeadFileShape InspectHeads(std::string_view bytes);

// Why a text cannot be stored in a record: it holds a character that
// Windows-1252 lacks (named), it is not UTF-8, or it is longer than 65535
// bytes once encoded. Nothing when it can.
std::optional<std::string> UnstorableText(std::string_view text);

// The stored form of the given heads; fails, naming the head and field, when
// a text cannot be stored.
Result<std::string> SerializeHeads(const std::vector<HeadRecord>& heads);

Result<std::vector<HeadRecord>> LoadHeadsFile(const std::filesystem::path& file);

}  // namespace tavrin
