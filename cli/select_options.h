#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "beam/laser_input_state.h"
#include "support/result.h"

namespace tavrin::cli {

// A value option's text and the unit split off its end, if any.
struct GivenValue {
    std::string text;
    std::optional<std::string> unit;
};

struct SelectOptions {
    std::filesystem::path dataDir;
    bool pulsed = false;
    bool rect = false;
    bool single = false;
    bool probe = false;
    bool json = false;
    bool explain = false;
    bool asTyped = false;
    bool details = false;
    bool help = false;
    std::optional<std::string> report;
    std::optional<std::string> reportPdf;
    std::optional<std::string> head;   // the head of the PDF's second page
    std::optional<std::string> batch;  // a CSV file of lasers, "-" for standard input
    Profile profile = Profile::Uniform;
    std::string profileFactor;  // a measured profile's factor, as given
    std::string maxShare;       // the ceiling in percent without its "%"; empty for 100
    ThresholdRule threshold = ThresholdRule::AsListed;
    std::map<EntryId, GivenValue> values;
};

// The value options in the order their texts are written on the window.
struct ValueOption {
    const char* name;
    const char* entryName;  // how a message names the entry
    EntryId entry;
};
const std::vector<ValueOption>& ValueOptions();
const char* OptionName(EntryId entry);

// Reads the options of `select`. A value whose text (once its unit is split
// off) the entry's numeric test refuses is an error of its own
// (ErrorCode::BadValue), unless --as-typed asks for the entry filter instead;
// other mistakes are ErrorCode::BadUsage.
Result<SelectOptions> ParseSelectOptions(const std::vector<std::string>& args, char decimalSeparator);

// The line a refused selection prints on standard error.
std::string RefusalLine(const Error& error);

}  // namespace tavrin::cli
