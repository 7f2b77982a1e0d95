// The catalogue sources users write by hand: CSV to records, built into the
// stored form and dumped back.
#include <string>

#include "catalogue/catalogue_csv.h"
#include "catalogue/coating_table.h"
#include "catalogue/head_catalogue.h"
#include "fuzz_input.h"

namespace {

// A refusal names a line of the text it was given.
void CheckRefusal(const std::string& message, const std::string& text) {
    using tavrin::fuzz::Check;
    Check(message.rfind("line ", 0) == 0, "a refusal starts with its line", message);
    const int line = std::atoi(message.c_str() + 5);
    int lines = 1;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    Check(line >= 1 && line <= lines, "a refusal names a line of the text", message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto heads = ParseHeadsCsv(text);
    if (!heads) {
        CheckRefusal(heads.Failure().message, text);
    } else if (const auto built = SerializeHeads(heads.Value())) {
        const auto loaded = LoadHeads(built.Value());
        fuzz::Check(loaded == heads.Value(), "a built catalogue loads as its source");
        const auto dumped = ParseHeadsCsv(WriteHeadsCsv(loaded));
        fuzz::Check(dumped.Ok() && dumped.Value() == loaded, "a built catalogue dumps back to the same rows");
    }

    const auto coatings = ParseCoatingsCsv(text);
    if (!coatings) {
        CheckRefusal(coatings.Failure().message, text);
    } else {
        const CoatingTable loaded = LoadCoatings(SerializeCoatings(coatings.Value()));
        fuzz::Check(loaded == coatings.Value(), "a built coating table loads as its source");
        const auto dumped = ParseCoatingsCsv(WriteCoatingsCsv(loaded));
        fuzz::Check(dumped.Ok() && dumped.Value() == loaded, "a built coating table dumps back the same");
    }
    return 0;
}
