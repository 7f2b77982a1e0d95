#include "details_area.h"

#include <algorithm>
#include <cmath>

#include "beam/engineering_text.h"
#include "details_texts.h"
#include "selection/criterion_texts.h"
#include "selection/head_search.h"
#include "support/control_characters.h"

namespace tavrin {
namespace {

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
    for (std::size_t i = 0; i < bars.size(); ++i) {
        UsageBar& bar = bars[i];
        const bool threshold = head->usage[i].criterion == Criterion::DamageThreshold;
        bar.spoken = bar.caption + ": " + bar.text +
                     (bar.share ? (threshold ? " of the threshold" : " of the limit") : std::string()) +
                     (bar.tightest ? ", the tightest" : "") + (bar.share && bar.beyond ? ", beyond it" : "");
    }
    // A Gaussian beam's wings: the power the aperture lets through, marked
    // when it clips more than a percent.
    if (head->aperturePowerFraction) {
        const double passed = *head->aperturePowerFraction;
        UsageBar bar{"Power through aperture"};
        bar.text = FormatSignificant(passed * 100, m_decimal) + " %";
        bar.beyond = 1 - passed > kClippingWarned;
        bar.spoken = bar.caption + ": " + bar.text + " of the power";
        bars.push_back(std::move(bar));
    }
    return bars;
}

std::vector<std::string> DetailsArea::Notes() const {
    std::vector<std::string> notes;
    const HeadUsage* head = PickedUsage();
    if (head == nullptr) {
        return notes;
    }
    const OperatingPoint& laser = m_details->operatingPoint;
    if (head->thresholdLookup && laser.pulseWidth) {
        notes.push_back(ThresholdNote(*head->thresholdLookup, *laser.pulseWidth, laser.rule, m_decimal));
    }
    if (!m_pick->rejected) {
        if (const auto& check = m_details->kept[m_pick->position].ifGaussian) {
            notes.push_back(GaussianCheckText(*check, laser.ceiling, m_decimal));
        }
    }
    if (laser.ceiling != 1) {
        notes.push_back(CeilingNote(laser.ceiling, m_decimal));
    }
    if (laser.singlePulse) {
        notes.emplace_back(kSinglePulseNote);
    }
    return notes;
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
            row.values = failing.ceilingOnly
                             ? BeyondCeilingText(failing.used.value_or(0), m_details->operatingPoint.ceiling, m_decimal)
                             : quantity(failing.laser).append(" > ").append(quantity(failing.limit));
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
    row.fits = FitsText(head.fitsWithBeamMm, head.fitsWithBeamScale, m_decimal);
    return row;
}

}  // namespace tavrin
