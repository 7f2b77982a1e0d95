#include "report_document.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

#include "about_text.h"
#include "beam/beam_profile.h"
#include "beam/derived_rows.h"
#include "catalogue/head_catalogue.h"
#include "details_texts.h"
#include "main_window_model.h"
#include "selection/criterion_texts.h"
#include "selection/share_ceiling.h"
#include "support/control_characters.h"
#include "version/version.h"

namespace tavrin {
namespace {

// The entries of the laser with their own units, in the window's order.
struct EntryCaption {
    EntryId entry;
    const char* caption;
};
constexpr std::array<EntryCaption, 5> kUnitEntries = {{
    {EntryId::WaveLength, "Wavelength"},
    {EntryId::MaxPower, "Max power"},
    {EntryId::MaxEnergy, "Max energy"},
    {EntryId::RepRate, "Repetition rate"},
    {EntryId::PulseWidth, "Pulse width"},
}};

std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::vector<ReportLine> LaserLines(const LaserInputState& state) {
    std::vector<ReportLine> lines;
    lines.push_back({"Laser type", state.LaserType == Laser::CW ? "CW" : "Pulsed"});
    if (state.BeamShape == Shape::Circular) {
        lines.push_back({"Beam", "circular, " + state.Beam1().Text + " mm"});
    } else {
        lines.push_back({"Beam", "rectangular, " + state.Beam1().Text + " \u00D7 " + state.Beam2().Text + " mm"});
    }
    std::string profile = ProfileName(state.BeamProfile);
    if (state.BeamProfile == Profile::Measured) {
        profile += ", peak = " + state.ProfileFactor + " \u00D7 mean";
    }
    lines.push_back({"Profile", profile + "; " + SizeMeaning(state.BeamProfile)});
    lines.push_back({"Measurement", state.SinglePulse() ? "single pulse energy" : "power"});
    lines.push_back({"Product type", state.ProductType == Product::PowerMeter ? "power meter" : "probe"});
    for (const EntryCaption& entry : kUnitEntries) {
        const UnitEntry& given = state.Entry(entry.entry);
        // A single pulse has no rate: the measurement line says it is one.
        const bool noRate = entry.entry == EntryId::RepRate && state.SinglePulse();
        if (!given.Text.empty() && !noRate) {
            lines.push_back({entry.caption, given.Text + " " + given.Unit()});
        }
    }
    return lines;
}

// The derived values as the window shows them, those computed only: a row
// the window leaves without a value is left out, not printed as a bare unit.
std::vector<ReportLine> DerivedLines(const LaserInputState& state, const LabelCaptions& labels) {
    std::vector<ReportLine> lines;
    for (const DerivedRow& row : kDerivedRows) {
        const std::string value = Trimmed(labels.Get(row.value));
        if (state.*row.amount != 0 && !value.empty()) {
            lines.push_back({Trimmed(row.caption), value + " " + Trimmed(labels.Get(row.unit))});
        }
    }
    return lines;
}

// The densities at the centre as caption and value, the caption ending with
// the factor's bracket ("Power Density at centre (×2)").
std::vector<ReportLine> CentreRows(const std::vector<std::string>& lines) {
    std::vector<ReportLine> rows;
    for (const std::string& line : lines) {
        const std::size_t end = line.find(')');
        if (end == std::string::npos) {
            rows.push_back({line, ""});
            continue;
        }
        std::string value = Trimmed(line.substr(end + 1));
        if (value.starts_with(':')) {
            value = Trimmed(value.substr(1));
        }
        rows.push_back({line.substr(0, end + 1), value});
    }
    return rows;
}

const HeadUsage* UsageOf(const SearchDetails& details, std::size_t index) {
    for (const KeptHeadDetails& kept : details.kept) {
        if (kept.index == index) {
            return &kept;
        }
    }
    for (const RejectedHeadDetails& rejected : details.rejected) {
        if (rejected.head.index == index) {
            return &rejected.head;
        }
    }
    return nullptr;
}

ReportHead HeadRow(const std::string& name, const HeadUsage& usage) {
    ReportHead row{ReplaceControlCharacters(name)};
    if (const CriterionUsage* threshold = Find(usage, Criterion::DamageThreshold)) {
        row.thresholdShare = ShareText(threshold->used);
    }
    const CriterionUsage* tightest = nullptr;
    for (const CriterionUsage& criterion : usage.usage) {
        if (Finite(criterion.used) && (tightest == nullptr || *criterion.used > *tightest->used)) {
            tightest = &criterion;
        }
    }
    if (tightest != nullptr) {
        row.tightestShare = ShareText(tightest->used);
        row.tightestLimit = TextOf(*tightest).caption;
    }
    return row;
}

// Picks the head on a copy of the details area, in the grid or in the list.
bool Pick(DetailsArea& area, std::size_t head) {
    const SearchDetails& details = *area.Details();
    for (std::size_t position = 0; position < details.kept.size(); ++position) {
        if (details.kept[position].index == head) {
            area.PickKept(position);
            return true;
        }
    }
    for (std::size_t row = 0; row < area.WhyNotCount(); ++row) {
        area.PickRejected(row);
        if (area.PickedHead() == head) {
            return true;
        }
    }
    return false;
}

std::string LimitText(const CriterionUsage& usage, char decimal) {
    const auto quantity = [&](double value) { return CriterionQuantity(usage.criterion, value, decimal); };
    switch (TextOf(usage).limit) {
        case LimitKind::Range:
            return quantity(usage.limit) + " to " + quantity(usage.limitMax);
        case LimitKind::Match:
            return "";
        case LimitKind::Upper:
            return "at most " + quantity(usage.limit);
        case LimitKind::Lower:
            return "at least " + quantity(usage.limit);
    }
    return "";
}

ReportChosenHead ChosenHead(const DetailsArea& area, const Catalogue& catalogue, const HeadUsage& usage, char decimal) {
    ReportChosenHead chosen;
    const std::string name = ReplaceControlCharacters(catalogue.Heads[usage.index].Name);
    if (const auto row = area.PickedWhyNotRow()) {
        const WhyNotRow why = area.WhyNotAt(*row);
        chosen.title = name + ": not suitable";
        chosen.suitable = false;
        chosen.failing = why.criterion + ": " + why.values;
        chosen.fits = why.fits;
    } else {
        chosen.title = "Head " + name;
    }
    std::vector<UsageBar> bars = area.Bars();
    for (std::size_t i = 0; i < usage.usage.size() && i < bars.size(); ++i) {
        const CriterionUsage& criterion = usage.usage[i];
        const bool product = TextOf(criterion).limit == LimitKind::Match;
        chosen.limits.push_back(ReportLimit{
            bars[i].caption, product ? "" : CriterionQuantity(criterion.criterion, criterion.laser, decimal),
            LimitText(criterion, decimal), bars[i]});
    }
    // The bars end with the power through the aperture, for a Gaussian beam.
    if (bars.size() > usage.usage.size()) {
        chosen.clipping = bars.back().caption + ": " + bars.back().text;
    }
    if (usage.coatingRow) {
        chosen.coating = "Coating row " + std::to_string(*usage.coatingRow);
    }
    chosen.notes = area.Notes();
    chosen.chart = area.Chart();
    return chosen;
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

ReportDocument ComposeReportDocument(const MainWindowModel& model, const ReportChoice& choice) {
    ReportDocument document;
    const LaserInputState& state = model.State();
    const char decimal = model.Numbers().DecimalSeparator();
    const std::size_t count = model.Heads().Heads.size();
    document.title = kReportTitle;
    document.paper = choice.paper;
    document.stamp = choice.date + ", CV-Tavrin " + kVersion;
    const std::string fileDate = CatalogueFileDate(model.ProgramFolder());
    document.catalogue = "Catalogue: " + std::to_string(count) + (count == 1 ? " head" : " heads") +
                         (fileDate.empty() ? "" : ", " + std::string(kHeadsFileName) + " of " + fileDate);
    document.laser = LaserLines(state);
    document.rules = StatedRuleLines(state);
    document.derived = DerivedLines(state, model.Labels());
    document.centre = CentreRows(CentreLines(state, model.Numbers()));

    DetailsArea area = model.Details();
    area.WorkOut();
    if (!area.Details()) {
        return document;
    }
    const SearchDetails& details = *area.Details();
    const ResultsGrid& grid = model.Grid();
    for (int row = 1; row <= grid.RowCount(); ++row) {
        const auto index = static_cast<std::size_t>(grid.RowTag(row));
        if (const HeadUsage* usage = UsageOf(details, index)) {
            document.heads.push_back(HeadRow(model.Heads().Heads[index].Name, *usage));
        }
    }
    if (grid.RowCount() == 0 && model.LastRequest()) {
        document.request = *model.LastRequest();
    }
    std::optional<std::size_t> head = choice.head;
    if (!head && !details.kept.empty()) {
        head = details.kept.front().index;
    }
    if (head && Pick(area, *head)) {
        document.chosen = ChosenHead(area, model.Heads(), *UsageOf(details, *head), decimal);
    }
    return document;
}

std::string TodayText() {
    return LocalDateText(std::chrono::system_clock::now());
}

Result<std::size_t> HeadNamed(const Catalogue& catalogue, const std::string& name) {
    const auto& heads = catalogue.Heads;
    for (std::size_t i = 0; i < heads.size(); ++i) {
        if (heads[i].Name == name) {
            return i;
        }
    }
    std::vector<std::pair<std::size_t, std::size_t>> nearest;  // distance, head
    constexpr std::size_t kNamed = 3;
    for (std::size_t i = 0; i < heads.size(); ++i) {
        nearest.emplace_back(EditDistance(name, heads[i].Name), i);
        std::sort(nearest.begin(), nearest.end());
        if (nearest.size() > kNamed) {
            nearest.pop_back();
        }
    }
    std::string message = "no head is named " + QuotedForMessage(name);
    for (std::size_t i = 0; i < nearest.size(); ++i) {
        message += (i == 0 ? "; the closest: " : ", ") + QuotedForMessage(heads[nearest[i].second].Name);
    }
    return Error{ErrorCode::BadUsage, message};
}

}  // namespace tavrin
