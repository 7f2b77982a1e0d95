// The catalogue loaders on arbitrary bytes.
#include <cstring>

#include "catalogue/coating_table.h"
#include "catalogue/head_catalogue.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const auto heads = LoadHeads(bytes);
    std::size_t textBytes = 0;
    for (const HeadRecord& head : heads) {
        fuzz::Check(!head.Name.empty(), "a kept head has a name");
        for (const std::string* text : {&head.Name, &head.ResArdo, &head.ResRVX, &head.ResBrisa, &head.ResQDM,
                                        &head.ResSela, &head.ResVantic, &head.HeadType}) {
            textBytes += text->size();
        }
    }
    // A byte decodes to at most three UTF-8 bytes; every record takes 58 bytes besides its texts.
    fuzz::Check(textBytes <= 3 * size, "texts stay within the file's size");
    fuzz::Check(heads.size() * 58 <= size, "no more records than the file can hold");
    const auto again = SerializeHeads(heads);
    fuzz::Check(again.Ok(), "decoded texts encode back");
    // Compared as bytes, so that a NaN limit counts as kept.
    const auto twice = SerializeHeads(LoadHeads(again.Value()));
    fuzz::Check(twice.Ok() && twice.Value() == again.Value(), "the kept heads round-trip");

    const CoatingTable table = LoadCoatings(bytes);
    const std::string stored = SerializeCoatings(table);
    const std::size_t whole = std::min<std::size_t>(size / 8 * 8, stored.size());
    fuzz::Check(std::memcmp(stored.data(), bytes.data(), whole) == 0, "the coating values are the file's");
    fuzz::Check(stored.find_first_not_of('\0', whole) == std::string::npos, "what the file lacks stays 0");
    return 0;
}
