#include "select_command.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <variant>

#include "catalogue/program_folder.h"
#include "form/main_window_model.h"
#include "locale_separator.h"
#include "reports/report.h"
#include "selection/head_search.h"

namespace tavrin::cli {
namespace {

constexpr int kFound = 0;
constexpr int kNoneFound = 1;
constexpr int kInvalid = 2;
constexpr int kCatalogueMissing = 3;
constexpr int kUsageError = 64;

constexpr const char* kUsage =
    "usage: cv-tavrin-cli select [--data-dir DIR] [--pulsed] [--rect] [--single] [--probe]\n"
    "           [--beam TEXT] [--width TEXT] [--wavelength TEXT[UNIT]] [--power TEXT[UNIT]]\n"
    "           [--energy TEXT[UNIT]] [--rate TEXT[UNIT]] [--pulse-width TEXT[UNIT]]\n"
    "           [--json] [--report FILE] [--explain]\n";

constexpr const char* kHelp =
    "Finds the detector heads that suit a laser, exactly as the main window does: the options\n"
    "are replayed on the window in a fixed order (start-up, options, units, texts), then Explore.\n"
    "\n"
    "  --data-dir DIR        folder with Heads.Dat and Coatings.Dat (default: the program's folder)\n"
    "  --pulsed              a pulsed laser (default: CW)\n"
    "  --rect                a rectangular beam (default: circular)\n"
    "  --single              measure single pulse energy (needs --pulsed; the rate becomes \"Single\")\n"
    "  --probe               look for probes instead of power meters\n"
    "  --beam TEXT           beam diameter in mm, or the rectangle's length L\n"
    "  --width TEXT          the rectangle's width W in mm (needs --rect)\n"
    "  --wavelength TEXT[UNIT]   unit um or nm (default nm)\n"
    "  --power TEXT[UNIT]        unit kW, W, mW, uW, nW or pW (default W)\n"
    "  --energy TEXT[UNIT]       unit kJ, J, mJ, uJ, nJ or pJ (default J; needs --pulsed)\n"
    "  --rate TEXT[UNIT]         unit MHz, kHz, Hz or Single (default Hz; needs --pulsed)\n"
    "  --pulse-width TEXT[UNIT]  unit s, ms, us, ns, ps or fs (default ms; needs --pulsed)\n"
    "  --json                one JSON object with entries, labels, values, messages and heads\n"
    "  --report FILE         also write the report in the \"Print.txt\" layout to FILE\n"
    "  --explain             list every head that was not kept, with the first reason\n"
    "\n"
    "A value is the entry text followed by an optional unit; the text goes through the entry's\n"
    "own filter as if typed. Exit status: 0 heads found, 1 none found (the request text is\n"
    "composed), 2 incomplete data, 3 a catalogue file missing, 64 bad usage.\n"
    "\n"
    "Examples:\n"
    "  CW:           cv-tavrin-cli select --beam 5 --wavelength 1064nm --power 100W\n"
    "  pulsed:       cv-tavrin-cli select --pulsed --beam 8 --wavelength 1064nm --energy 10mJ --rate 1kHz "
    "--pulse-width 10ns\n"
    "  single pulse: cv-tavrin-cli select --pulsed --single --beam 10 --wavelength 532nm --energy 50mJ "
    "--pulse-width 5ns\n";

// The value options in the order their texts are written.
struct ValueOption {
    const char* name;
    EntryId entry;
    bool hasUnit;
};
constexpr std::array<ValueOption, 7> kValueOptions = {{
    {"--beam", EntryId::Beam1, false},
    {"--width", EntryId::Beam2, false},
    {"--wavelength", EntryId::WaveLength, true},
    {"--power", EntryId::MaxPower, true},
    {"--energy", EntryId::MaxEnergy, true},
    {"--rate", EntryId::RepRate, true},
    {"--pulse-width", EntryId::PulseWidth, true},
}};

// Every unit item an entry's list can hold.
std::vector<std::string> PossibleUnits(EntryId entry) {
    switch (entry) {
        case EntryId::WaveLength:
            return {"um", "nm"};
        case EntryId::MaxPower:
            return {"kW", "W", "mW", "uW", "nW", "pW"};
        case EntryId::MaxEnergy:
            return {"kJ", "J", "mJ", "uJ", "nJ", "pJ"};
        case EntryId::RepRate:
            return {"MHz", "kHz", "Hz", "Single"};
        case EntryId::PulseWidth:
            return {"s", "ms", "us", "ns", "ps", "fs"};
        case EntryId::Beam1:
        case EntryId::Beam2:
            break;
    }
    return {};
}

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
    bool help = false;
    std::optional<std::string> report;
    std::map<EntryId, GivenValue> values;
};

struct UsageError {
    std::string what;
};

GivenValue SplitUnit(const std::string& argument, EntryId entry, bool hasUnit) {
    if (!hasUnit) {
        return GivenValue{argument, std::nullopt};
    }
    std::optional<std::string> best;
    for (const std::string& unit : PossibleUnits(entry)) {
        const bool suffix =
            argument.size() >= unit.size() && argument.compare(argument.size() - unit.size(), unit.size(), unit) == 0;
        if (suffix && (!best || unit.size() > best->size())) {
            best = unit;
        }
    }
    if (!best) {
        return GivenValue{argument, std::nullopt};
    }
    return GivenValue{argument.substr(0, argument.size() - best->size()), best};
}

std::variant<SelectOptions, UsageError> ParseArguments(const std::vector<std::string>& args) {
    SelectOptions options;
    options.dataDir = ProgramFolder();
    const std::map<std::string, bool SelectOptions::*> flags = {
        {"--pulsed", &SelectOptions::pulsed}, {"--rect", &SelectOptions::rect}, {"--single", &SelectOptions::single},
        {"--probe", &SelectOptions::probe},   {"--json", &SelectOptions::json}, {"--explain", &SelectOptions::explain},
        {"--help", &SelectOptions::help},     {"-h", &SelectOptions::help}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
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
        if (name == "--data-dir" || name == "--report") {
            const auto value = takeValue();
            if (!value) {
                return UsageError{name + " needs a value"};
            }
            if (name == "--data-dir") {
                options.dataDir = *value;
            } else {
                options.report = *value;
            }
            continue;
        }
        const auto valueOption = std::find_if(kValueOptions.begin(), kValueOptions.end(),
                                              [&name](const ValueOption& option) { return name == option.name; });
        if (valueOption != kValueOptions.end()) {
            const auto value = takeValue();
            if (!value) {
                return UsageError{name + " needs a value"};
            }
            options.values[valueOption->entry] = SplitUnit(*value, valueOption->entry, valueOption->hasUnit);
            continue;
        }
        return UsageError{"unknown option \"" + args[i] + "\""};
    }
    if (options.single && !options.pulsed) {
        return UsageError{"--single needs --pulsed (single pulse energy is measured on a pulsed laser)"};
    }
    return options;
}

const char* OptionName(EntryId entry) {
    for (const auto& option : kValueOptions) {
        if (option.entry == entry) {
            return option.name;
        }
    }
    return "";
}

// Messages are kept for the result; none needs an answer other than OK.
class RecordingMessages final : public MessageBoxService {
public:
    MessageAnswer Show(const Message& message) override {
        m_messages.push_back(message);
        return MessageAnswer::Ok;
    }
    [[nodiscard]] const std::vector<Message>& All() const { return m_messages; }

private:
    std::vector<Message> m_messages;
};

class SilentMessages final : public MessageBoxService {
public:
    MessageAnswer Show(const Message&) override { return MessageAnswer::Ok; }
};

// Nothing is sent, opened or printed from the command line.
class Inert final : public DocumentOpener, public RequestWindow, public ReportPrinter {
public:
    bool OpenDocument(const std::string&, int) override { return false; }
    void Testo(const std::string&) override {}
    void ShowModal() override {}
    void PrintReport(const std::string&) override {}
};

std::string HiddenReason(EntryId entry) {
    if (entry == EntryId::Beam2) {
        return "is hidden for a circular beam (add --rect)";
    }
    return "is hidden for a CW laser (add --pulsed)";
}

std::optional<std::string> CheckReachable(const UnitEntry& entry, EntryId id, bool forUnit) {
    if (!entry.Visible) {
        return HiddenReason(id);
    }
    const bool enabled = forUnit ? entry.UnitEnabled : entry.Enabled;
    if (!enabled) {
        return std::string("is disabled while the rate unit is \"Single\"");
    }
    return std::nullopt;
}

// Replays the options on the model; a usage error when a control cannot be reached.
std::optional<UsageError> Replay(MainWindowModel& model, const SelectOptions& options) {
    if (options.pulsed) {
        model.ClickOption(OptionId::Pulsed);
    }
    if (options.rect) {
        model.ClickOption(OptionId::Rectangular);
    }
    if (options.single) {
        model.ClickOption(OptionId::PowerEnergy);
    }
    if (options.probe) {
        model.ClickOption(OptionId::Probe);
    }
    for (const EntryId entry :
         {EntryId::WaveLength, EntryId::MaxPower, EntryId::MaxEnergy, EntryId::RepRate, EntryId::PulseWidth}) {
        const auto given = options.values.find(entry);
        if (given == options.values.end() || !given->second.unit) {
            continue;
        }
        const UnitEntry& state = model.State().Entry(entry);
        if (auto reason = CheckReachable(state, entry, true)) {
            return UsageError{std::string(OptionName(entry)) + ": the unit list " + *reason};
        }
        const int index = state.IndexOf(*given->second.unit);
        if (index < 0) {
            return UsageError{std::string(OptionName(entry)) + ": \"" + *given->second.unit +
                              "\" is not an item of the unit list now"};
        }
        model.ChooseUnit(entry, index);
    }
    for (const auto& option : kValueOptions) {
        const auto given = options.values.find(option.entry);
        if (given == options.values.end()) {
            continue;
        }
        if (auto reason = CheckReachable(model.State().Entry(option.entry), option.entry, false)) {
            return UsageError{std::string(option.name) + ": the entry " + *reason};
        }
        model.TypeText(option.entry, given->second.text);
    }
    return std::nullopt;
}

const char* StatusName(int status) {
    switch (status) {
        case kFound:
            return "found";
        case kNoneFound:
            return "none";
        default:
            break;
    }
    return "invalid";
}

struct DerivedRow {
    const char* caption;
    LabelId value;
    LabelId unit;
    const char* valueKey;
    const char* unitKey;
};
constexpr std::array<DerivedRow, 6> kDerivedRows = {{
    {kAreaCaption, LabelId::VArea, LabelId::MArea, "lblVArea", "lblMArea"},
    {kAvgPowerCaption, LabelId::VAvgPower, LabelId::MAvgPower, "lblVAvgPower", "lblMAvgPower"},
    {kPowerDensityCaption, LabelId::VPowerDensity, LabelId::MPowerDensity, "lblVPowerDensity", "lblMPowerDensity"},
    {kPeakPowerCaption, LabelId::VPeakPower, LabelId::MPeakPower, "lblVPeakPower", "lblMPeakPower"},
    {kPeakPowerDensityCaption, LabelId::VPeakPowerDensity, LabelId::MPeakPowerDensity, "lblVPeakPowerDensity",
     "lblMPeakPowerDensity"},
    {kEnergyDensityCaption, LabelId::VEnergyDensity, LabelId::MEnergyDensity, "lblVEnergyDensity", "lblMEnergyDensity"},
}};

nlohmann::ordered_json ResultJson(const MainWindowModel& model, const std::vector<Message>& messages, int status) {
    const LaserInputState& state = model.State();
    nlohmann::ordered_json json;
    json["entries"] = {
        {"Beam1", state.Beam1().Text},
        {"Beam2", state.Beam2().Text},
        {"WaveLength", {state.WaveLength().Text, state.WaveLength().Unit()}},
        {"MaxPower", {state.MaxPower().Text, state.MaxPower().Unit()}},
        {"MaxEnergy", {state.MaxEnergy().Text, state.MaxEnergy().Unit()}},
        {"RepRate", {state.RepRate().Text, state.RepRate().Unit()}},
        {"PulseWidth", {state.PulseWidth().Text, state.PulseWidth().Unit()}},
    };
    nlohmann::ordered_json labels = nlohmann::ordered_json::object();
    for (const auto& row : kDerivedRows) {
        labels[row.valueKey] = model.Labels().Get(row.value);
        labels[row.unitKey] = model.Labels().Get(row.unit);
    }
    json["labels"] = labels;
    json["values"] = {
        {"BeamArea", state.BeamArea},           {"BeamSize", state.BeamSize},
        {"AveragePower", state.AveragePower},   {"PeakPower", state.PeakPower},
        {"PowerDensity", state.PowerDensity},   {"PeakPowerDensity", state.PeakPowerDensity},
        {"EnergyDensity", state.EnergyDensity},
    };
    nlohmann::ordered_json messageList = nlohmann::ordered_json::array();
    for (const Message& message : messages) {
        messageList.push_back({{"title", message.title}, {"text", message.text}});
    }
    json["messages"] = messageList;
    json["status"] = StatusName(status);
    nlohmann::ordered_json heads = nlohmann::ordered_json::array();
    const ResultsGrid& grid = model.Grid();
    for (int row = 1; status == kFound && row <= grid.RowCount(); ++row) {
        heads.push_back({{"index", grid.RowTag(row)},
                         {"name", grid.CellAt(row, 1)},
                         {"margin", grid.CellAt(row, 2)},
                         {"resolutions",
                          {{"Ardo", grid.CellAt(row, 3)},
                           {"Brisa", grid.CellAt(row, 4)},
                           {"RVX", grid.CellAt(row, 5)},
                           {"QDM", grid.CellAt(row, 6)},
                           {"Sela", grid.CellAt(row, 7)},
                           {"Vantic", grid.CellAt(row, 8)}}}});
    }
    json["heads"] = heads;
    if (status == kNoneFound && model.LastRequest()) {
        json["request"] = *model.LastRequest();
    } else {
        json["request"] = nullptr;
    }
    return json;
}

// The product table of the report: from its "PRODUCTS FOUND:" line on.
std::string ProductTable(const std::string& report) {
    const auto start = report.find("PRODUCTS FOUND:");
    return start == std::string::npos ? std::string() : report.substr(start);
}

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

void WriteSummary(std::ostream& out, const MainWindowModel& model, const std::vector<Message>& messages, int status) {
    out << "Derived beam parameters:\n";
    for (const auto& row : kDerivedRows) {
        out << row.caption << model.Labels().Get(row.value) << model.Labels().Get(row.unit) << "\n";
    }
    out << "\n";
    for (const Message& message : messages) {
        out << message.title << ": " << message.text << "\n";
    }
    if (status == kFound) {
        out << WithoutCarriageReturns(ProductTable(ComposeReport(model.State(), model.Labels(), model.Grid())));
    } else if (status == kNoneFound) {
        out << "No standard head fits this laser. Request for a custom head:\n\n"
            << WithoutCarriageReturns(model.LastRequest().value_or("")) << "\n";
    }
}

void WriteExplanation(std::ostream& out, const MainWindowModel& model) {
    SilentMessages silent;
    const NumberEntry numbers(model.Numbers().DecimalSeparator(), silent);
    const Catalogue& catalogue = model.Heads();
    const SearchContext context(model.State(), numbers, catalogue.Coatings);
    out << "\nHeads not kept:\n";
    for (const HeadRecord& head : catalogue.Heads) {
        if (const auto rejection = FirstRejection(LimitsOf(head), context)) {
            out << DescribeRejection(head, *rejection) << "\n";
        }
    }
}

int Usage(std::ostream& err, const std::string& what) {
    err << "cv-tavrin-cli select: " << what << "\n" << kUsage;
    return kUsageError;
}

}  // namespace

int RunSelectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = ParseArguments(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        return Usage(err, error->what);
    }
    const auto& options = std::get<SelectOptions>(parsed);
    if (options.help) {
        out << kUsage << "\n" << kHelp;
        return 0;
    }

    RecordingMessages messages;
    Inert inert;
    const MainWindowServices services{messages, inert, inert, inert};
    auto model = MainWindowModel::Start(options.dataDir, DecimalSeparatorFromEnvironment(), services);
    if (!model) {
        err << messages.All().back().text << "\n";
        return kCatalogueMissing;
    }
    if (const auto error = Replay(*model, options)) {
        return Usage(err, error->what);
    }

    const ExploreOutcome outcome = model->Explore();
    const int status = outcome == ExploreOutcome::Found       ? kFound
                       : outcome == ExploreOutcome::NoneFound ? kNoneFound
                                                              : kInvalid;

    if (options.report) {
        std::ofstream report(*options.report, std::ios::binary | std::ios::trunc);
        report << ComposeReport(model->State(), model->Labels(), model->Grid());
        if (!report) {
            err << "cv-tavrin-cli select: the report could not be written to " << *options.report << "\n";
        }
    }
    if (options.json) {
        out << ResultJson(*model, messages.All(), status).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
            << "\n";
    } else {
        WriteSummary(out, *model, messages.All(), status);
        if (options.explain && status != kInvalid) {
            WriteExplanation(out, *model);
        }
    }
    return status;
}

}  // namespace tavrin::cli
