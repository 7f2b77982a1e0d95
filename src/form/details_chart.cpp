// The details area's chart of the picked head, laid out as the window draws
// it, and the name its file is offered under.
#include <algorithm>
#include <cmath>
#include <limits>

#include "beam/engineering_text.h"
#include "details_chart.h"

#include "details_area.h"
#include "details_texts.h"
#include "selection/damage_threshold.h"
#include "support/control_characters.h"

namespace tavrin {
namespace {

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

bool Plottable(double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && x > 0 && y > 0;
}

}  // namespace

std::string ThresholdCurveName(int coating, int row) {
    return "Coating " + std::to_string(coating) +
           (row != coating ? ", repetitive-pulse threshold" : ", damage threshold");
}

// Short, so that the legend has room for it: the notes say more.
const char* HeldStretchName(ThresholdRule rule) {
    return rule == ThresholdRule::Conservative ? "Power law or held" : "Held or bridged";
}

DetailsChart DetailsArea::Chart() const {
    DetailsChart chart;
    const HeadUsage* head = PickedUsage();
    if (head == nullptr) {
        chart.title = "Pick a head in the grid or in the \"Why not?\" list";
        chart.description = chart.title;
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
        chart.description = name;
        return chart;
    }
    const CriterionText& text = TextOf(*usage);
    const auto quantity = [&](double value) { return CriterionQuantity(usage->criterion, value, m_decimal); };
    chart.laser = usage->laser;
    chart.limit = usage->limit;
    chart.category = text.caption;
    chart.laserName = "Laser: " + quantity(usage->laser);
    chart.limitName = "Head limit: " + quantity(usage->limit);
    const OperatingPoint& laser = m_details->operatingPoint;
    if (usage->criterion == Criterion::PowerDensityMax && laser.peakFactor != 1) {
        chart.laserName = "Laser peak: " + quantity(usage->laser);
        chart.mean = laser.meanPowerDensity;
        chart.meanName = "Laser mean: " + quantity(laser.meanPowerDensity);
    }
    const std::string share = ShareText(usage->used);
    chart.title = name + ": " + CriterionInSentence(usage->criterion) + ", " + share + " of the limit";
    chart.description = std::string(text.caption) + ": the laser " + quantity(usage->laser) +
                        " against the head's limit of " + quantity(usage->limit) + ", " + share + " of the limit.";
    const double top = std::max({chart.laser, chart.limit, chart.mean.value_or(0.0)});
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
    chart.curveName = ThresholdCurveName(coating, row);
    chart.heldName = HeldStretchName(laser.rule);
    if (row >= 0 && row < CoatingTable::kRows) {
        chart.curve = ThresholdStretches(m_catalogue->Coatings, row, laser.rule, laser.pulseWidth);
    }
    if (Plottable(*laser.pulseWidth, laser.energyDensity)) {
        chart.point.emplace(*laser.pulseWidth, laser.energyDensity);
    }
    const bool peaked = laser.peakFactor != 1;
    if (peaked && Plottable(*laser.pulseWidth, laser.meanEnergyDensity)) {
        chart.meanPoint.emplace(*laser.pulseWidth, laser.meanEnergyDensity);
    }
    chart.pointLabel = std::string(peaked ? "Laser peak " : "Laser ") +
                       FormatQuantity(laser.energyDensity, "J/cm\u00B2", m_decimal) + " at " +
                       FormatQuantity(*laser.pulseWidth, "s", m_decimal);
    chart.description = "Operating point: " + FormatQuantity(laser.energyDensity, "J/cm\u00B2", m_decimal) +
                        (peaked ? " at the beam's centre" : "") + " at a pulse width of " +
                        FormatQuantity(*laser.pulseWidth, "s", m_decimal) + ".";
    if (const CriterionUsage* usage = Find(head, Criterion::DamageThreshold)) {
        chart.pointLabel += ": " + ShareText(usage->used) + " of the threshold";
        chart.description += " " + chart.curveName.substr(0, chart.curveName.find(',')) + " threshold there: " +
                             CriterionQuantity(Criterion::DamageThreshold, usage->limit, m_decimal) + ", " +
                             ShareText(usage->used) + " of it.";
    }
    chart.title += "\n" + chart.pointLabel;
    FitThresholdAxes(chart, m_decimal);
    return chart;
}

void FitThresholdAxes(DetailsChart& chart, char decimal) {
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
    for (const CurveStretch& stretch : chart.curve) {
        for (const auto& [x, y] : stretch.points) {
            widen(x, y);
        }
    }
    for (const auto& point : {chart.point, chart.meanPoint}) {
        if (point) {
            widen(point->first, point->second);
        }
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
            chart.xTicks.push_back({tau, FormatQuantity(tau, "s", decimal)});
        }
    }
    const long decades = std::lround(std::log10(chart.yMax / chart.yMin));
    const long every = std::max(1L, (decades + 2) / 3);
    for (long decade = 0; decade <= decades; decade += every) {
        const double threshold = chart.yMin * std::pow(10.0, static_cast<double>(decade));
        chart.yTicks.push_back({threshold, FormatQuantity(threshold, "J/cm\u00B2", decimal)});
    }
}

// The row's curve as the search looks it up, from 1 ps to 1 s and on to the
// pulse width beyond either end, cut where it passes between solid
// and dashed: a segment is dashed when either end has no catalogue point.
std::vector<CurveStretch> ThresholdStretches(const CoatingTable& coatings, int row, ThresholdRule rule,
                                             std::optional<double> pulseWidth) {
    std::vector<std::pair<double, double>> points = ThresholdCurve(coatings, row, rule);
    const double tau = pulseWidth.value_or(1);
    if (std::isfinite(tau) && (tau < points.front().first || tau > points.back().first)) {
        const auto at = tau < points.front().first ? points.begin() : points.end();
        points.insert(at, {tau, DamageThresholdAt(coatings, row, Laser::Pulsed, tau, rule)});
    }
    std::vector<CurveStretch> stretches;
    std::optional<std::pair<std::pair<double, double>, bool>> previous;  // the last point and whether it is held
    for (const auto& point : points) {
        const bool held = HeldOrBridged(LookUpThreshold(coatings, row, Laser::Pulsed, point.first, rule).basis);
        if (!Plottable(point.first, point.second)) {
            previous.reset();
            continue;
        }
        if (previous) {
            const bool dashed = held || previous->second;
            if (stretches.empty() || stretches.back().held != dashed ||
                stretches.back().points.back() != previous->first) {
                stretches.push_back(CurveStretch{{previous->first}, dashed});
            }
            stretches.back().points.push_back(point);
        }
        previous.emplace(point, held);
    }
    return stretches;
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
