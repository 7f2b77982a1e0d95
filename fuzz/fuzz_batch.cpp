// Batch files of lasers, run against a small catalogue as `select --batch`.
#include <memory>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "batch_command.h"
#include "fuzz_input.h"
#include "support/control_characters.h"
#include "test_support.h"

namespace {

std::shared_ptr<const tavrin::SearchCatalogue> SmallCatalogue() {
    using namespace tavrin;
    HeadRecord narrow = test::WideHead("Narrow");
    narrow.Aperture = 10;
    narrow.PowerMax = 50;
    HeadRecord probe = test::WideHead("Probe");
    probe.HeadType = "Probe";
    return std::make_shared<const SearchCatalogue>(
        Catalogue{{test::WideHead("Wide"), narrow, probe}, test::UniformCoatings(10)});
}

int Lines(const std::string& text) {
    int lines = 1;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    static const auto kCatalogue = SmallCatalogue();
    fuzz::FuzzInput input(data, size);
    const bool json = input.Byte() % 2 == 1;
    const std::string text = input.Rest();

    cli::SelectOptions options;
    options.dataDir = "/nonexistent";
    options.json = json;
    options.details = json;
    std::istringstream in(text);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunBatchRows(in, "lasers.csv", options, kCatalogue, '.', out, err, false);
    fuzz::Check(status == 0 || status == 64 || status == 65, "the batch ends as its help says");

    // Every refused row names its data row and a line of the file.
    std::istringstream told(err.str());
    for (std::string line; std::getline(told, line);) {
        fuzz::Check(EscapeControlCharacters(line) == line, "a message holds no control character of its own", line);
        int row = 0;
        int at = 0;
        if (std::sscanf(line.c_str(), "cv-tavrin-cli: row %d (line %d): ", &row, &at) == 2) {
            fuzz::Check(row >= 1 && at >= 2 && at <= Lines(text), "a refused row names a line of the file", line);
        } else {
            fuzz::Check(status == 64 && line.rfind("cv-tavrin-cli select: --batch lasers.csv: ", 0) == 0,
                        "any other message is the file's refusal", line);
        }
    }
    if (json) {
        std::istringstream rows(out.str());
        for (std::string line; std::getline(rows, line);) {
            fuzz::Check(nlohmann::json::accept(line), "each row is a JSON object", line);
        }
    }
    return 0;
}
