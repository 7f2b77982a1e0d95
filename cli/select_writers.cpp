#include "select_writers.h"

#include <cassert>
#include <cmath>
#include <ostream>

#include "beam/beam_profile.h"
#include "beam/derived_rows.h"
#include "beam/display_ladder.h"
#include "beam/engineering_text.h"
#include "exit_status.h"
#include "reports/report.h"
#include "reports/request_text.h"
#include "selection/criterion_texts.h"
#include "selection/head_details.h"
#include "selection/head_search.h"
#include "selection/monitors.h"
#include "selection/share_ceiling.h"
#include "support/control_characters.h"

namespace tavrin::cli {
namespace {

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

}  // namespace

LabelCaptions CommandLineLabels(const MainWindowModel& model) {
    LabelCaptions labels = model.Labels();
    for (const auto& row : kDerivedRows) {
        labels.Set(row.value,
                   CaptionIn(CaptionForm::CommandLine, labels.Get(row.value), model.Numbers().DecimalSeparator()));
    }
    return labels;
}

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
    const LabelCaptions captions = CommandLineLabels(model);
    nlohmann::ordered_json labels = nlohmann::ordered_json::object();
    for (const auto& row : kDerivedRows) {
        labels[LabelName(row.value)] = captions.Get(row.value);
        labels[LabelName(row.unit)] = captions.Get(row.unit);
    }
    json["labels"] = std::move(labels);
    json["values"] = {
        {"BeamArea", state.BeamArea},           {"BeamSize", state.BeamSize},
        {"AveragePower", state.AveragePower},   {"PeakPower", state.PeakPower},
        {"PowerDensity", state.PowerDensity},   {"PeakPowerDensity", state.PeakPowerDensity},
        {"EnergyDensity", state.EnergyDensity},
    };
    // A beam that is not flat: what the centre of the absorber sees.
    if (state.BeamProfile != Profile::Uniform) {
        const auto factor = PeakFactor(state, model.Numbers());
        nlohmann::ordered_json profile = nlohmann::ordered_json::object();
        profile["kind"] = ProfileKey(state.BeamProfile);
        profile["factor"] = factor ? nlohmann::ordered_json(*factor) : nlohmann::ordered_json(nullptr);
        profile["power_density_peak"] = state.PowerDensity * factor.value_or(1);
        profile["energy_density_peak"] = state.EnergyDensity * factor.value_or(1);
        profile["peak_power_density_peak"] = state.PeakPowerDensity * factor.value_or(1);
        json["profile"] = std::move(profile);
    }
    // The selection rules, where the user changed them.
    if (ShareCeiling(state.MaxShare, model.Numbers()).value_or(1) != 1) {
        json["max_share"] = model.Numbers().TextToValue(state.MaxShare);  // percent
    }
    if (state.Threshold != ThresholdRule::AsListed) {
        json["threshold"] = ThresholdRuleKey(state.Threshold);
    }
    nlohmann::ordered_json messageList = nlohmann::ordered_json::array();
    for (const Message& message : messages) {
        nlohmann::ordered_json item = nlohmann::ordered_json::object();
        item["title"] = message.title;
        item["text"] = message.text;
        messageList.push_back(std::move(item));
    }
    json["messages"] = std::move(messageList);
    json["status"] = StatusName(status);
    nlohmann::ordered_json heads = nlohmann::ordered_json::array();
    const ResultsGrid& grid = model.Grid();
    for (int row = 1; status == kFound && row <= grid.RowCount(); ++row) {
        nlohmann::ordered_json resolutions = nlohmann::ordered_json::object();
        for (const Monitor& monitor : kMonitors) {
            resolutions[monitor.name] = grid.CellAt(row, monitor.column);
        }
        // Built member by member: an initializer list would copy every value.
        nlohmann::ordered_json head = nlohmann::ordered_json::object();
        head["index"] = grid.RowTag(row);
        for (const GridColumnInfo& column : kLeadColumns) {
            head[column.key] = grid.CellAt(row, column.column);
        }
        head["resolutions"] = std::move(resolutions);
        heads.push_back(std::move(head));
    }
    json["heads"] = std::move(heads);
    if (status == kNoneFound && model.LastRequest()) {
        json["request"] = ComposeRequestText(state, captions);
    } else {
        json["request"] = nullptr;
    }
    return json;
}

void WriteSummary(std::ostream& out, const MainWindowModel& model, const std::vector<Message>& messages, int status) {
    const LabelCaptions labels = CommandLineLabels(model);
    out << "Derived beam parameters:\n";
    for (const auto& row : kDerivedRows) {
        out << row.caption << labels.Get(row.value) << labels.Get(row.unit) << "\n";
    }
    for (const std::string& line : CentreLines(model.State(), model.Numbers(), CaptionForm::CommandLine)) {
        out << " " << line << "\n";
    }
    out << "\n";
    for (const Message& message : messages) {
        out << message.title << ": " << message.text << "\n";
    }
    if (status == kFound) {
        out << WithoutCarriageReturns(ComposeProductTable(model.Grid(), &EscapeControlCharacters));
    } else if (status == kNoneFound) {
        // The request as the window composed it, its values in this form.
        const std::string request = model.LastRequest() ? ComposeRequestText(model.State(), labels) : "";
        out << "No standard head fits this laser. Request for a custom head:\n\n"
            << WithoutCarriageReturns(request) << "\n";
    }
}

void WriteExplanation(std::ostream& out, const MainWindowModel& model) {
    const auto& heads = model.Heads().Heads;
    out << "\nHeads not kept:\n";
    for (const HeadRejection& rejected : model.Rejections()) {
        out << EscapeControlCharacters(DescribeRejection(heads[rejected.head], rejected.rejection)) << "\n";
    }
}

}  // namespace tavrin::cli
