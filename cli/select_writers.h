#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <vector>

#include "form/main_window_model.h"
#include "support/message_box.h"

namespace tavrin::cli {

// The window's captions with the derived values in the command line's form
// (a million or more with a power of ten), for every output of this program.
LabelCaptions CommandLineLabels(const MainWindowModel& model);

// The outcome of one selection as a JSON object: entries, labels, values,
// messages, status, heads and the request.
nlohmann::ordered_json ResultJson(const MainWindowModel& model, const std::vector<Message>& messages, int status);

// The outcome for a person at a terminal: the derived values, the messages and
// the heads found or the request. Catalogue texts show control characters escaped.
void WriteSummary(std::ostream& out, const MainWindowModel& model, const std::vector<Message>& messages, int status);

// Every head that was not kept, with the first criterion it fails.
void WriteExplanation(std::ostream& out, const MainWindowModel& model);

}  // namespace tavrin::cli
