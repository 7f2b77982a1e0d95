#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "details_area.h"
#include "support/paper_size.h"
#include "support/result.h"

namespace tavrin {

class MainWindowModel;

// A caption and its value, one line of a report's list.
struct ReportLine {
    std::string caption;
    std::string value;
};

// A suitable head as the report's first page lists it.
struct ReportHead {
    std::string name;
    std::string thresholdShare{};  // "42 %"; empty where no threshold applies (a CW laser)
    std::string tightestShare{};   // the largest share of any limit: "73 %"
    std::string tightestLimit{};   // that limit's caption: "Max power"
};

// One limit of the chosen head: the laser's value against it and the share used.
struct ReportLimit {
    std::string caption;  // "Max power"
    std::string laser;    // "120 W"
    std::string limit;    // "300 W", "190 nm to 11 µm"
    UsageBar bar;         // the share as the details area shows it
};

// The report's second page: one head, suitable or not, in detail.
struct ReportChosenHead {
    std::string title;  // "Head NAME", or "NAME: not suitable"
    bool suitable = true;
    std::string failing{};  // why not: "Max power density: 636.6 kW/cm² > 500 kW/cm²"
    std::string fits{};     // "fits with a beam of 8.4 mm"
    std::vector<ReportLimit> limits{};
    std::string clipping{};  // the power a Gaussian beam passes through the aperture
    std::string coating{};   // "Coating row 3", empty without one
    std::vector<std::string> notes{};
    DetailsChart chart{};
};

// What the PDF report says, page by page, ready to be laid out: every text
// already written as the window writes it.
struct ReportDocument {
    std::string title;
    std::string stamp;      // the date and the program's version
    std::string catalogue;  // "Catalogue: 42 heads, Heads.Dat of 2026-11-30"
    std::vector<ReportLine> laser;
    std::vector<std::string> rules;  // the ceiling and the threshold rule, defaults too
    std::vector<ReportLine> derived;
    std::vector<ReportLine> centre;  // the densities at the centre of a beam that is not flat
    std::vector<ReportHead> heads;   // in the grid's order
    std::string request;             // the custom-head request, when no head suits
    std::optional<ReportChosenHead> chosen;
    Paper paper = Paper::A4;
};

inline constexpr const char* kReportTitle = "Detector head selection";

// What the report is asked to show beside the model's last search.
struct ReportChoice {
    // The head of page 2 in the catalogue; none for the first suitable head.
    std::optional<std::size_t> head{};
    std::string date{};  // YYYY-MM-DD
    Paper paper = Paper::A4;
};

// The report of the model's last search (Explore must have run). The model
// is left as it is: the details are worked out on a copy of its area.
ReportDocument ComposeReportDocument(const MainWindowModel& model, const ReportChoice& choice);

// Today's local date as YYYY-MM-DD.
std::string TodayText();

// The catalogue position of the head named exactly `name`; a usage error
// naming the closest names when there is none.
Result<std::size_t> HeadNamed(const Catalogue& catalogue, const std::string& name);

}  // namespace tavrin
