#pragma once

#include <filesystem>
#include <vector>

#include "coating_table.h"
#include "head_record.h"
#include "support/message_box.h"
#include "support/result.h"

namespace tavrin {

// The two catalogues of a program folder, read-only once loaded.
struct Catalogue {
    std::vector<HeadRecord> Heads;
    CoatingTable Coatings;
};

// Loads "Heads.Dat" and then "Coatings.Dat" from the folder. The first file
// that is missing decides the error, so with both missing only the head
// message is reported.
Result<Catalogue> LoadCatalogue(const std::filesystem::path& folder);

// The message box that tells the user a catalogue file is missing.
Message CatalogueErrorMessage(const Error& error);

}  // namespace tavrin
