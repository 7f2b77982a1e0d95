#pragma once

#include "form/main_window_model.h"
#include "select_options.h"
#include "support/result.h"

namespace tavrin::cli {

// Replays the options on the window's model in a fixed order (options, units,
// texts), as a user would; a usage error when a control cannot be reached.
Result<Done> ReplayLaser(MainWindowModel& model, const SelectOptions& options);

}  // namespace tavrin::cli
