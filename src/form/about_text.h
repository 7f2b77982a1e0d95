#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>

#include "support/message_box.h"

namespace tavrin {

// The local date of `when` as YYYY-MM-DD, as every date the program prints.
std::string LocalDateText(std::chrono::system_clock::time_point when);

// Help > About: the version, the licence, and the catalogue in use (how many
// heads, and the date of its head file, which is the only date it carries).
// The local modification date of the folder's head file (the only date the
// catalogue carries); empty when it cannot be read.
std::string CatalogueFileDate(const std::filesystem::path& programFolder);

Message AboutMessage(std::size_t heads, const std::filesystem::path& programFolder);

}  // namespace tavrin
