#include "catalogue.h"

#include "head_catalogue.h"

namespace tavrin {

Result<Catalogue> LoadCatalogue(const std::filesystem::path& folder) {
    auto heads = LoadHeadsFile(folder / kHeadsFileName);
    if (!heads) {
        return heads.Failure();
    }
    auto coatings = LoadCoatingsFile(folder / kCoatingsFileName);
    if (!coatings) {
        return coatings.Failure();
    }
    return Catalogue{std::move(heads.Value()), coatings.Value()};
}

Message CatalogueErrorMessage(const Error& error) {
    return Message{error.message, "Attention", MessageIcon::Exclamation, MessageButtons::Ok};
}

}  // namespace tavrin
