#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "support/message_box.h"

namespace tavrin {

// Help > About: the version, the licence, and the catalogue in use (how many
// heads, and the date of its head file, which is the only date it carries).
// The modification date of the folder's head file as YYYY-MM-DD (the only
// date the catalogue carries); empty when it cannot be read.
std::string CatalogueFileDate(const std::filesystem::path& programFolder);

Message AboutMessage(std::size_t heads, const std::filesystem::path& programFolder);

}  // namespace tavrin
