#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "beam/laser_input_state.h"
#include "catalogue/catalogue.h"
#include "selection/head_details.h"

namespace tavrin {

// One row of the usage bars: the laser's share of one of the head's limits.
struct UsageBar {
    std::string caption;            // "Max power"
    std::optional<double> share{};  // 1 at the limit; none where the criterion is a yes or no
    std::string text{};             // "73 %", "in range"
    bool tightest = false;          // the largest share of the head
    bool beyond = false;            // the head fails this criterion
    std::string spoken{};           // the row as a sentence: "Max power: 33 % of the limit"
};

enum class ChartKind { None, Threshold, Bars };

// A labelled tick of an axis, at a value in the axis's own unit.
struct AxisTick {
    double value;
    std::string label;  // "1 ns", "10 mJ/cm²"

    friend bool operator==(const AxisTick&, const AxisTick&) = default;
};

// A stretch of a threshold curve, drawn dashed where the coating table has
// no point to stand on (a column's value held, or a line across a missing column).
struct CurveStretch {
    std::vector<std::pair<double, double>> points;  // pulse width (s), J/cm2
    bool held = false;

    friend bool operator==(const CurveStretch&, const CurveStretch&) = default;
};

// What the chart draws for the picked head, ready to be drawn: the damage
// threshold curve of its coating row with the laser's operating point for a
// pulsed laser (both axes logarithmic); for a CW laser, or a head rejected on
// another limit, the laser's value against the head's limit as two bars.
// Every number is already written as the window writes numbers.
struct DetailsChart {
    ChartKind kind = ChartKind::None;
    std::string title;  // a line break where a new line must start
    // What the chart shows, in a sentence for a screen reader: the operating
    // point and the limit or threshold at it.
    std::string description;
    std::string curveName;
    std::string heldName;  // the dashed stretches' legend
    // The curve in stretches, solid and dashed by turns, out to the laser's
    // pulse width where it lies beyond the table; only points a log axis can show.
    std::vector<CurveStretch> curve{};
    std::optional<std::pair<double, double>> point{};      // at the peak of a beam that is not flat
    std::optional<std::pair<double, double>> meanPoint{};  // the mean, for a beam that is not flat
    std::string pointLabel;  // the operating point's values and share, the title's second line
    double laser = 0;        // the two bars, in the search's unit of the criterion
    double limit = 0;
    std::optional<double> mean{};  // a third bar: the mean density under a peak that is not flat
    std::string meanName;
    std::string laserName;  // "Laser: 636.6 kW/cm²"
    std::string limitName;  // "Head limit: 500 kW/cm²"
    std::string category;   // under the bars: "Max power density"
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;
    std::string xTitle;
    std::string yTitle;
    std::vector<AxisTick> xTicks{};  // the threshold chart's decades
    std::vector<AxisTick> yTicks{};
};

// A rejected head as the "Why not?" list shows it.
struct WhyNotRow {
    std::string name;
    std::string criterion;
    std::string values{};  // the laser's value against the limit
    std::string fits{};    // "fits with a beam of 3.4 mm", or empty
};

enum class WhyNotColumn { Name, Criterion, Values, Fits };
inline constexpr int kWhyNotColumns = 4;

// The details area of the main window: what the last Explore found about
// every head, the head picked in the grid or in the "Why not?" list, and
// whether the area is shown. It keeps the texts and numbers the window draws.
// The details of a search are worked out by an explicit step, at once while
// the area is shown and otherwise when it is shown or a head is picked, so
// that a search nobody looks into (the command line's batch) costs nothing more.
class DetailsArea {
public:
    DetailsArea(const Catalogue& catalogue, const std::vector<HeadLimits>& limits, char decimalSeparator);

    // A new search of the laser as it stands.
    void Explored(const LaserInputState& state);
    // Works out the details of the last search, if they are not yet.
    void WorkOut();
    void Clear();

    // A pick in the grid (from 0) or in the list as it is sorted (from 0).
    void PickKept(std::size_t position);
    void PickRejected(std::size_t row);
    // The user's show or hide.
    void SetShown(bool shown);
    // What a pick, or a search that kept no head, does: shows the area
    // unless the user has hidden it.
    void ShowUnlessHidden();
    // A click on a column's title: sorts by it, or the other way round when
    // the list is already sorted by it from the smallest.
    void SortWhyNotBy(WhyNotColumn column);

    [[nodiscard]] bool Shown() const { return m_shown; }
    // Empty before a search, and until its details are worked out.
    [[nodiscard]] const std::optional<SearchDetails>& Details() const { return m_details; }
    [[nodiscard]] std::optional<std::size_t> PickedHead() const;  // in the catalogue
    [[nodiscard]] std::optional<std::size_t> PickedWhyNotRow() const;
    [[nodiscard]] DetailsChart Chart() const;
    [[nodiscard]] std::vector<UsageBar> Bars() const;
    // What the picked head's numbers assume, a sentence each: where its
    // threshold came from, how a Gaussian beam of the same sizes would fare
    // (a kept head, a uniform beam), the ceiling, a single pulse's rate.
    [[nodiscard]] std::vector<std::string> Notes() const;
    // The "Why not?" list, a row at a time so that a list of a million heads
    // costs only the rows on screen; its version changes whenever its rows do.
    [[nodiscard]] std::size_t WhyNotCount() const;
    [[nodiscard]] WhyNotRow WhyNotAt(std::size_t row) const;
    [[nodiscard]] unsigned ListVersion() const { return m_listVersion; }
    [[nodiscard]] std::optional<WhyNotColumn> SortColumn() const { return m_sortColumn; }
    [[nodiscard]] bool SortAscending() const { return m_ascending; }
    // A file name for the chart of the picked head, without a suffix.
    [[nodiscard]] std::string ChartFileStem() const;

private:
    struct Pick {
        bool rejected = false;
        std::size_t position = 0;  // in SearchDetails' kept or rejected
    };
    [[nodiscard]] const HeadUsage* PickedUsage() const;
    [[nodiscard]] DetailsChart BarsChart(const std::string& name, const CriterionUsage* usage) const;
    [[nodiscard]] DetailsChart ThresholdChart(const std::string& name, const HeadUsage& head) const;
    void Sort();

    const Catalogue* m_catalogue;
    const std::vector<HeadLimits>* m_limits;
    char m_decimal;
    std::optional<LaserInputState> m_explored;  // the laser whose details are still to be worked out
    std::optional<SearchDetails> m_details;
    std::vector<std::size_t> m_order;  // the list's rows, as positions in rejected
    std::optional<Pick> m_pick;
    bool m_shown = false;
    bool m_hiddenByUser = false;
    std::optional<WhyNotColumn> m_sortColumn;
    bool m_ascending = true;
    unsigned m_listVersion = 0;
};

}  // namespace tavrin
