#include "details_area.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "beam/engineering_text.h"
#include "selection/criterion_texts.h"
#include "selection/head_search.h"
#include "support/control_characters.h"

namespace tavrin {
namespace {

const CriterionText& TextOf(const CriterionUsage& usage) {
    return TextOfCriterion(usage.criterion);
}

bool Finite(const std::optional<double>& value) {
    return value && std::isfinite(*value);
}

std::string ShareText(const std::optional<double>& share) {
    if (!Finite(share)) {
        return "n.a.";
    }
    const double percent = *share * 100;
    if (percent < 1) {
        return "<1 %";
    }
    std::array<char, 32> text{};
    if (percent >= 1e6) {
        return FormatSignificant(percent, '.') + " %";
    }
    std::snprintf(text.data(), text.size(), "%.0f %%", percent);
    return text.data();
}

double DecadeBelow(double value) {
    return std::pow(10.0, std::floor(std::log10(value)));
}

double DecadeAbove(double value) {
    return std::pow(10.0, std::ceil(std::log10(value)));
}

// Ticks at 1, 2 or 5 times a power of ten from 0 to past `top`, about five of them.
std::vector<double> RoundTicks(double top) {
    if (!(top > 0) || !std::isfinite(top)) {
        return {};
    }
    const double rough = top / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    double step = decade;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * decade;
        if (step >= rough) {
            break;
        }
    }
    std::vector<double> ticks;
    for (int i = 0; ticks.empty() || ticks.back() < top; ++i) {
        ticks.push_back(step * i);
    }
    return ticks;
}

// "Max power density" as it reads inside a sentence.
std::string Lowered(std::string caption) {
    if (!caption.empty() && caption.front() >= 'A' && caption.front() <= 'Z') {
        caption.front() = static_cast<char>(caption.front() - 'A' + 'a');
    }
    return caption;
}

bool Plottable(double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && x > 0 && y > 0;
}

const CriterionUsage* Find(const HeadUsage& head, Criterion criterion) {
    for (const CriterionUsage& usage : head.usage) {
        if (usage.criterion == criterion) {
            return &usage;
        }
    }
    return nullptr;
}

// Rows without a key sort last whichever way the list is sorted.
template <typename Key>
bool Before(const std::optional<Key>& a, const std::optional<Key>& b, bool ascending) {
    if (!a || !b) {
        return a.has_value() && !b.has_value();
    }
    return ascending ? *a < *b : *b < *a;
}

std::optional<double> FitsKey(const RejectedHeadDetails& head) {
    return head.fitsWithBeamMm ? head.fitsWithBeamMm : head.fitsWithBeamScale;
}

std::optional<double> ShareKey(const RejectedHeadDetails& head) {
    const auto& used = head.firstFailing.used;
    return used && !std::isnan(*used) ? used : std::nullopt;
}

}  // namespace

DetailsArea::DetailsArea(const Catalogue& catalogue, const std::vector<HeadLimits>& limits, char decimalSeparator)
    : m_catalogue(&catalogue), m_limits(&limits), m_decimal(decimalSeparator) {}

void DetailsArea::Explored(const LaserInputState& state) {
    ++m_listVersion;
    m_explored = state;
    m_details.reset();
    m_order.clear();
    m_pick.reset();
    if (m_shown) {
        WorkOut();
    }
}

void DetailsArea::WorkOut() {
    if (!m_explored) {
        return;
    }
    ++m_listVersion;
    const NumberEntry numbers(m_decimal);
    m_details = ComputeDetails(*m_catalogue, *m_limits, *m_explored, numbers);
    m_explored.reset();
    m_order.resize(m_details->rejected.size());
    for (std::size_t i = 0; i < m_order.size(); ++i) {
        m_order[i] = i;
    }
    Sort();
}

void DetailsArea::Clear() {
    ++m_listVersion;
    m_explored.reset();
    m_details.reset();
    m_order.clear();
    m_pick.reset();
}

void DetailsArea::PickKept(std::size_t position) {
    WorkOut();
    if (m_details && position < m_details->kept.size()) {
        m_pick = Pick{false, position};
        ShowUnlessHidden();
    }
}

void DetailsArea::PickRejected(std::size_t row) {
    WorkOut();
    if (m_details && row < m_order.size()) {
        m_pick = Pick{true, m_order[row]};
        ShowUnlessHidden();
    }
}

void DetailsArea::ShowUnlessHidden() {
    if (!m_hiddenByUser) {
        m_shown = true;
        WorkOut();
    }
}

void DetailsArea::SetShown(bool shown) {
    m_shown = shown;
    m_hiddenByUser = !shown;
    if (shown) {
        WorkOut();
    }
}

void DetailsArea::SortWhyNotBy(WhyNotColumn column) {
    m_ascending = !(m_sortColumn == column && m_ascending);
    m_sortColumn = column;
    ++m_listVersion;
    Sort();
}

void DetailsArea::Sort() {
    if (!m_details || !m_sortColumn) {
        return;
    }
    const WhyNotColumn column = *m_sortColumn;
    const bool ascending = m_ascending;
    const auto& rejected = m_details->rejected;
    const auto& heads = m_catalogue->Heads;
    std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) {
        const RejectedHeadDetails& x = rejected[a];
        const RejectedHeadDetails& y = rejected[b];
        switch (column) {
            case WhyNotColumn::Name:
                return Before<std::string>(heads[x.head.index].Name, heads[y.head.index].Name, ascending);
            case WhyNotColumn::Criterion:
                return Before<int>(static_cast<int>(x.firstFailing.criterion),
                                   static_cast<int>(y.firstFailing.criterion), ascending);
            case WhyNotColumn::Values:
                return Before(ShareKey(x), ShareKey(y), ascending);
            case WhyNotColumn::Fits:
                return Before(FitsKey(x), FitsKey(y), ascending);
        }
        return false;
    });
}

std::optional<std::size_t> DetailsArea::PickedHead() const {
    const HeadUsage* usage = PickedUsage();
    return usage != nullptr ? std::optional<std::size_t>(usage->index) : std::nullopt;
}

std::optional<std::size_t> DetailsArea::PickedWhyNotRow() const {
    if (!m_pick || !m_pick->rejected) {
        return std::nullopt;
    }
    const auto row = std::find(m_order.begin(), m_order.end(), m_pick->position);
    return static_cast<std::size_t>(row - m_order.begin());
}

const HeadUsage* DetailsArea::PickedUsage() const {
    if (!m_pick) {
        return nullptr;
    }
    return m_pick->rejected ? &m_details->rejected[m_pick->position].head : &m_details->kept[m_pick->position];
}

DetailsChart DetailsArea::Chart() const {
    DetailsChart chart;
    const HeadUsage* head = PickedUsage();
    if (head == nullptr) {
        chart.title = "Pick a head in the grid or in the \"Why not?\" list";
        return chart;
    }
    // A head of the "Why not?" list says so in the title, which is read whole.
    const std::string name =
        EscapeControlCharacters(m_catalogue->Heads[head->index].Name) + (m_pick->rejected ? " (not suitable)" : "");
    const OperatingPoint& laser = m_details->operatingPoint;
    // A head rejected on a limit other than the threshold shows that limit;
    // a CW laser's kept head, its power density.
    const CriterionUsage* shown = nullptr;
    if (m_pick->rejected) {
        const CriterionUsage& failing = m_details->rejected[m_pick->position].firstFailing;
        if (failing.used && failing.criterion != Criterion::DamageThreshold) {
            shown = &failing;
        }
    } else if (!laser.pulseWidth) {
        shown = Find(*head, Criterion::PowerDensityMax);
    }
    if (shown != nullptr || !laser.pulseWidth) {
        return BarsChart(name, shown);
    }
    return ThresholdChart(name, *head);
}

DetailsChart DetailsArea::BarsChart(const std::string& name, const CriterionUsage* usage) const {
    DetailsChart chart;
    chart.kind = ChartKind::Bars;
    if (usage == nullptr) {
        chart.title = name;
        return chart;
    }
    const CriterionText& text = TextOf(*usage);
    const auto quantity = [&](double value) { return CriterionQuantity(usage->criterion, value, m_decimal); };
    chart.laser = usage->laser;
    chart.limit = usage->limit;
    chart.category = text.caption;
    chart.laserName = "Laser: " + quantity(usage->laser);
    chart.limitName = "Head limit: " + quantity(usage->limit);
    const std::string share = ShareText(usage->used);
    chart.title = name + ": " + Lowered(text.caption) + ", " + share + " of the limit";
    const double top = std::max(chart.laser, chart.limit);
    chart.yMax = std::isfinite(top) && top > 0 ? top * 1.2 : 1;
    for (const double tick : RoundTicks(chart.yMax)) {
        chart.yTicks.push_back({tick, quantity(tick)});
    }
    if (!chart.yTicks.empty()) {
        chart.yMax = std::max(chart.yMax, chart.yTicks.back().value);
    }
    return chart;
}

DetailsChart DetailsArea::ThresholdChart(const std::string& name, const HeadUsage& head) const {
    DetailsChart chart;
    const OperatingPoint& laser = m_details->operatingPoint;
    chart.kind = ChartKind::Threshold;
    chart.title = name + ": damage threshold";
    const int row = head.coatingRow.value_or(-1);
    const int coating = (*m_limits)[head.index].CoatingNo;
    chart.curveName =
        "Coating " + std::to_string(coating) + (row != coating ? ", repetitive-pulse threshold" : ", damage threshold");
    if (row >= 0 && row < CoatingTable::kRows) {
        for (const auto& [tau, threshold] : ThresholdCurve(m_catalogue->Coatings, row)) {
            if (Plottable(tau, threshold)) {
                chart.curve.emplace_back(tau, threshold);
            }
        }
    }
    if (Plottable(*laser.pulseWidth, laser.energyDensity)) {
        chart.point.emplace(*laser.pulseWidth, laser.energyDensity);
    }
    chart.pointLabel = "Laser " + FormatQuantity(laser.energyDensity, "J/cm\u00B2", m_decimal) + " at " +
                       FormatQuantity(*laser.pulseWidth, "s", m_decimal);
    if (const CriterionUsage* usage = Find(head, Criterion::DamageThreshold)) {
        chart.pointLabel += ": " + ShareText(usage->used) + " of the threshold";
    }
    chart.title += "\n" + chart.pointLabel;
    chart.xMin = 1e-12;
    chart.xMax = 1;
    double low = std::numeric_limits<double>::infinity();
    double high = 0;
    auto widen = [&](double x, double y) {
        chart.xMin = std::min(chart.xMin, DecadeBelow(x));
        chart.xMax = std::max(chart.xMax, DecadeAbove(x));
        low = std::min(low, y);
        high = std::max(high, y);
    };
    for (const auto& [x, y] : chart.curve) {
        widen(x, y);
    }
    if (chart.point) {
        widen(chart.point->first, chart.point->second);
    }
    chart.yMin = high > 0 ? DecadeBelow(low) : 1e-3;
    chart.yMax = high > 0 ? DecadeAbove(high) : 1;
    if (chart.yMax <= chart.yMin) {
        chart.yMax = chart.yMin * 10;
    }
    chart.xTitle = "Pulse width";
    chart.yTitle = "Threshold";
    // Pulse widths every three decades (1 ps, 1 ns, ...); at most four
    // thresholds, a whole number of decades apart, so that a small chart has
    // room to write them.
    for (double tau = chart.xMin; tau <= chart.xMax * 1.0001; tau *= 10) {
        if (std::lround(std::log10(tau)) % 3 == 0) {
            chart.xTicks.push_back({tau, FormatQuantity(tau, "s", m_decimal)});
        }
    }
    const long decades = std::lround(std::log10(chart.yMax / chart.yMin));
    const long every = std::max(1L, (decades + 2) / 3);
    for (long decade = 0; decade <= decades; decade += every) {
        const double threshold = chart.yMin * std::pow(10.0, static_cast<double>(decade));
        chart.yTicks.push_back({threshold, FormatQuantity(threshold, "J/cm\u00B2", m_decimal)});
    }
    return chart;
}

std::vector<UsageBar> DetailsArea::Bars() const {
    std::vector<UsageBar> bars;
    const HeadUsage* head = PickedUsage();
    if (head == nullptr) {
        return bars;
    }
    std::optional<std::size_t> tightest;
    for (const CriterionUsage& usage : head->usage) {
        const CriterionText& text = TextOf(usage);
        UsageBar bar{text.caption};
        bar.beyond = !usage.passes;
        switch (text.limit) {
            case LimitKind::Range:
                bar.text = usage.passes ? "in range" : "out of range";
                break;
            case LimitKind::Match:
                bar.text = usage.passes ? "matches" : "does not match";
                break;
            case LimitKind::Upper:
            case LimitKind::Lower:
                bar.share = usage.used;
                bar.text = ShareText(usage.used);
                if (Finite(usage.used) && (!tightest || *usage.used > *bars[*tightest].share)) {
                    tightest = bars.size();
                }
                break;
        }
        bars.push_back(std::move(bar));
    }
    if (tightest) {
        bars[*tightest].tightest = true;
    }
    return bars;
}

std::size_t DetailsArea::WhyNotCount() const {
    return Details() ? m_order.size() : 0;
}

WhyNotRow DetailsArea::WhyNotAt(std::size_t listRow) const {
    WhyNotRow row;
    if (listRow >= WhyNotCount()) {
        return row;
    }
    const RejectedHeadDetails& head = m_details->rejected[m_order[listRow]];
    const CriterionUsage& failing = head.firstFailing;
    const CriterionText& text = TextOf(failing);
    row.name = EscapeControlCharacters(m_catalogue->Heads[head.head.index].Name);
    row.criterion = text.caption;
    const auto quantity = [&](double value) { return CriterionQuantity(failing.criterion, value, m_decimal); };
    switch (text.limit) {
        case LimitKind::Upper:
            row.values = quantity(failing.laser).append(" > ").append(quantity(failing.limit));
            break;
        case LimitKind::Lower:
            row.values = quantity(failing.laser).append(" < ").append(quantity(failing.limit));
            break;
        case LimitKind::Range:
            row.values = quantity(failing.laser)
                             .append(" outside ")
                             .append(quantity(failing.limit))
                             .append(" to ")
                             .append(quantity(failing.limitMax));
            break;
        case LimitKind::Match:
            row.values = "another product type";
            break;
    }
    if (head.fitsWithBeamMm) {
        row.fits = "fits with a beam of " + BeamSizeText(*head.fitsWithBeamMm, m_decimal);
    } else if (head.fitsWithBeamScale) {
        row.fits = "fits with both sides \u00D7 " + FormatSignificant(*head.fitsWithBeamScale, m_decimal);
    }
    return row;
}

std::string DetailsArea::ChartFileStem() const {
    const HeadUsage* head = PickedUsage();
    if (head == nullptr) {
        return "chart";
    }
    std::string stem = m_catalogue->Heads[head->index].Name;
    for (char& c : stem) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || c == '.';
        if (!plain) {
            c = '_';
        }
    }
    const bool pulsed = m_details->operatingPoint.pulseWidth.has_value();
    return (stem.empty() || stem.front() == '.' ? "head" + stem : stem) +
           (pulsed ? "-damage-threshold" : "-power-density");
}

}  // namespace tavrin
