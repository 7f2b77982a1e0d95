#include "select_options.h"

#include <algorithm>

#include "beam/beam_profile.h"
#include "beam/entry_filter.h"
#include "form/main_window_model.h"
#include "selection/damage_threshold.h"
#include "selection/share_ceiling.h"
#include "support/control_characters.h"
#include "support/program_folder.h"

namespace tavrin::cli {
namespace {

Error Usage(std::string what) {
    return Error{ErrorCode::BadUsage, std::move(what)};
}

// Every unit item the entry's list can hold, as the window's lists are made.
const std::vector<std::string>& PossibleUnits(EntryId entry) {
    static const LaserInputState kFreshState;
    return kFreshState.Entry(entry).Units;
}

GivenValue SplitUnit(const std::string& argument, EntryId entry) {
    const std::string* best = nullptr;
    for (const std::string& unit : PossibleUnits(entry)) {
        if (argument.ends_with(unit) && (best == nullptr || unit.size() > best->size())) {
            best = &unit;
        }
    }
    if (best == nullptr) {
        return GivenValue{argument, std::nullopt};
    }
    return GivenValue{argument.substr(0, argument.size() - best->size()), *best};
}

std::string Join(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) {
        joined += joined.empty() ? "" : ", ";
        joined += item;
    }
    return joined;
}

// The spelling of a refused text that this locale takes for what was most
// likely meant: every separator as the decimal one, and a 0 before one that
// begins the number (".5" is "0,5" where the decimals take ","); nothing
// when that is no number either ("1,000,000").
std::optional<std::string> AcceptedSpelling(const std::string& text, const NumberEntry& numbers) {
    std::string spelled = text;
    std::replace(spelled.begin(), spelled.end(), numbers.OtherSeparator(), numbers.DecimalSeparator());
    const std::size_t start = spelled.find_first_not_of(" +-");
    if (start != std::string::npos && spelled[start] == numbers.DecimalSeparator()) {
        spelled.insert(start, 1, '0');
    }
    if (spelled == text || !numbers.IsNumeric(spelled) || !numbers.ConvertsToNumber(spelled)) {
        return std::nullopt;
    }
    return spelled;
}

// A text the entry filter would cut is refused rather than silently read as
// what the cut leaves; where the locale's decimal separator is the trouble,
// the refusal shows how this locale takes the number.
Result<void> CheckNumber(const ValueOption& option, const std::string& argument, const GivenValue& value,
                         const NumberEntry& numbers) {
    if (value.text.empty() || (numbers.IsNumeric(value.text) && numbers.ConvertsToNumber(value.text))) {
        return {};
    }
    std::string message = std::string(option.name) + " " + QuotedForMessage(argument) + ": ";
    if (const auto spelled = AcceptedSpelling(value.text, numbers)) {
        return Error{ErrorCode::BadValue, message + "under this locale (decimal separator \"" +
                                              numbers.DecimalSeparator() + "\") write " + QuotedForMessage(*spelled)};
    }
    const auto separators =
        std::count_if(value.text.begin(), value.text.end(), [](char c) { return c == '.' || c == ','; });
    if (numbers.IsNumeric(value.text) || separators > 1) {
        return Error{ErrorCode::BadValue, message + QuotedForMessage(value.text) +
                                              " does not read as one number (a value holds one decimal separator "
                                              "and no thousands separator)"};
    }
    message += QuotedForMessage(value.text) + " is not a number (the entry would keep " +
               QuotedForMessage(CutToNumeric(value.text, numbers).text) + "); ";
    const auto& units = PossibleUnits(option.entry);
    if (units.empty()) {
        message += "the " + std::string(option.entryName) + " entry takes a number of mm and no unit";
    } else {
        message += "units of the " + std::string(option.entryName) + " entry: " + Join(units);
    }
    return Error{ErrorCode::BadValue, message};
}

}  // namespace

std::string RefusalLine(const Error& error) {
    return (error.code == ErrorCode::BadValue ? "cv-tavrin-cli: " : "cv-tavrin-cli select: ") +
           EscapeControlCharacters(error.message);
}

const std::vector<ValueOption>& ValueOptions() {
    static const std::vector<ValueOption> kOptions = {
        {"--beam", "beam", EntryId::Beam1},
        {"--width", "width", EntryId::Beam2},
        {"--wavelength", "wavelength", EntryId::WaveLength},
        {"--power", "power", EntryId::MaxPower},
        {"--energy", "energy", EntryId::MaxEnergy},
        {"--rate", "rate", EntryId::RepRate},
        {"--pulse-width", "pulse width", EntryId::PulseWidth},
    };
    return kOptions;
}

const char* OptionName(EntryId entry) {
    for (const auto& option : ValueOptions()) {
        if (option.entry == entry) {
            return option.name;
        }
    }
    return "";
}

// "uniform", "gaussian", or a measured peak-to-mean factor of at least 1.
Result<std::pair<Profile, std::string>> ParseProfile(const std::string& text, char decimalSeparator) {
    for (const Profile named : {Profile::Uniform, Profile::Gaussian}) {
        if (text == ProfileKey(named)) {
            return std::pair{named, std::string()};
        }
    }
    const NumberEntry numbers(decimalSeparator);
    if (!numbers.IsNumeric(text) || !MeasuredFactor(text, numbers)) {
        return Usage("--profile " + QuotedForMessage(text) +
                     ": give uniform, gaussian or a measured peak-to-mean factor of at least 1");
    }
    return std::pair{Profile::Measured, text};
}

// A percentage above 0 and at most 100, a "%" allowed after it.
Result<std::string> ParseMaxShare(const std::string& text, char decimalSeparator) {
    std::string number = text;
    if (number.ends_with('%')) {
        number.pop_back();
        while (number.ends_with(' ')) {
            number.pop_back();
        }
    }
    const NumberEntry numbers(decimalSeparator);
    if (number.empty() || !numbers.IsNumeric(number) || !ShareCeiling(number, numbers)) {
        return Usage("--max-share \"" + text + "\": give a percentage above 0 and at most 100");
    }
    return number;
}

Result<ThresholdRule> ParseThresholdRule(const std::string& text) {
    for (const ThresholdRule rule : {ThresholdRule::AsListed, ThresholdRule::Conservative}) {
        if (text == ThresholdRuleKey(rule)) {
            return rule;
        }
    }
    return Usage("--threshold \"" + text + "\": give as-listed or conservative");
}

Result<SelectOptions> ParseSelectOptions(const std::vector<std::string>& args, char decimalSeparator) {
    SelectOptions options;
    const std::map<std::string, bool SelectOptions::*> flags = {
        {"--pulsed", &SelectOptions::pulsed},    {"--rect", &SelectOptions::rect},
        {"--single", &SelectOptions::single},    {"--probe", &SelectOptions::probe},
        {"--json", &SelectOptions::json},        {"--explain", &SelectOptions::explain},
        {"--as-typed", &SelectOptions::asTyped}, {"--details", &SelectOptions::details},
        {"--help", &SelectOptions::help},        {"-h", &SelectOptions::help}};
    std::vector<std::pair<const ValueOption*, std::string>> arguments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        if (const auto flag = flags.find(name); flag != flags.end() && !inlineValue) {
            options.*(flag->second) = true;
            continue;
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (inlineValue) {
                return inlineValue;
            }
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            return args[++i];
        };
        const auto& valueOptions = ValueOptions();
        const auto valueOption = std::find_if(valueOptions.begin(), valueOptions.end(),
                                              [&name](const ValueOption& option) { return name == option.name; });
        const bool fileOption = name == "--data-dir" || name == "--report" || name == "--batch" ||
                                name == "--report-pdf" || name == "--head" || name == "--profile" ||
                                name == "--max-share" || name == "--threshold";
        if (!fileOption && valueOption == valueOptions.end()) {
            return Usage("unknown option " + QuotedForMessage(args[i]));
        }
        const auto value = takeValue();
        if (!value) {
            return Usage(name + " needs a value");
        }
        if (value->empty() && fileOption && name != "--profile") {
            return Usage(name + " needs a value: the text given is empty");
        }
        if (name == "--data-dir") {
            options.dataDir = *value;
        } else if (name == "--report") {
            options.report = *value;
        } else if (name == "--report-pdf") {
            options.reportPdf = *value;
        } else if (name == "--head") {
            options.head = *value;
        } else if (name == "--batch") {
            options.batch = *value;
        } else if (name == "--profile") {
            auto profile = ParseProfile(*value, decimalSeparator);
            if (!profile) {
                return profile.Failure();
            }
            options.profile = profile.Value().first;
            options.profileFactor = profile.Value().second;
        } else if (name == "--max-share") {
            auto share = ParseMaxShare(*value, decimalSeparator);
            if (!share) {
                return share.Failure();
            }
            options.maxShare = share.Value();
        } else if (name == "--threshold") {
            auto rule = ParseThresholdRule(*value);
            if (!rule) {
                return rule.Failure();
            }
            options.threshold = rule.Value();
        } else {
            arguments.emplace_back(&*valueOption, *value);
        }
    }
    if (options.dataDir.empty()) {
        options.dataDir = ProgramFolder();
    }
    if (options.batch && options.report) {
        return Usage("--report cannot be used with --batch (each row would overwrite it)");
    }
    if (options.batch && (options.reportPdf || options.head)) {
        return Usage("--report-pdf and --head cannot be used with --batch (use its report-pdf column)");
    }
    if (options.head && !options.reportPdf) {
        return Usage("--head needs --report-pdf (it names the head of the report's second page)");
    }
    if (options.batch && options.explain) {
        return Usage("--explain cannot be used with --batch (use --json --details)");
    }
    if (options.batch && options.details && !options.json) {
        return Usage("--details needs --json with --batch (one JSON object per row)");
    }
    const bool laserOptions = options.pulsed || options.rect || options.single || options.probe ||
                              options.profile != Profile::Uniform || !arguments.empty();
    if (options.batch && laserOptions) {
        return Usage("with --batch the lasers come from the file; give no laser options");
    }
    if (options.batch && (!options.maxShare.empty() || options.threshold != ThresholdRule::AsListed)) {
        return Usage(
            "with --batch the ceiling and the threshold rule come from the file's max-share and "
            "threshold columns");
    }
    if (options.single && !options.pulsed) {
        return Usage("--single needs --pulsed (single pulse energy is measured on a pulsed laser)");
    }
    const bool rateGiven = std::any_of(arguments.begin(), arguments.end(),
                                       [](const auto& given) { return given.first->entry == EntryId::RepRate; });
    if (options.single && rateGiven) {
        return Usage("--rate cannot be used with --single (a single pulse has no rate)");
    }
    const NumberEntry numbers(decimalSeparator);
    for (const auto& [option, argument] : arguments) {
        GivenValue value = SplitUnit(argument, option->entry);
        if (!options.asTyped) {
            if (auto checked = CheckNumber(*option, argument, value, numbers); !checked) {
                return checked.Failure();
            }
        }
        options.values[option->entry] = std::move(value);
    }
    return options;
}

}  // namespace tavrin::cli
