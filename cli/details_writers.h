#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>

#include "form/main_window_model.h"

namespace tavrin::cli {

// Why each head was kept or not: the operating point, the share of each limit
// the kept heads' criteria use, their coatings' threshold curves, and for each
// rejected head its first failing criterion and a beam that would make it fit.
nlohmann::ordered_json DetailsJson(const MainWindowModel& model);
void WriteDetails(std::ostream& out, const MainWindowModel& model);

}  // namespace tavrin::cli
