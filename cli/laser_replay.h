#pragma once

#include <memory>
#include <vector>

#include "form/main_window_model.h"
#include "form/quiet_services.h"
#include "select_options.h"
#include "support/result.h"

namespace tavrin::cli {

// Messages are kept for the result; none needs an answer other than OK.
class RecordingMessages final : public MessageBoxService {
public:
    MessageAnswer Show(const Message& message) override;
    [[nodiscard]] const std::vector<Message>& All() const { return m_messages; }

private:
    std::vector<Message> m_messages;
};

// One selection as a single `select` runs it: a fresh window over the
// catalogue, the laser replayed on it, then Explore.
class LaserRun {
public:
    LaserRun(std::shared_ptr<const SearchCatalogue> catalogue, const std::filesystem::path& folder,
             char decimalSeparator);
    LaserRun(const LaserRun&) = delete;
    LaserRun& operator=(const LaserRun&) = delete;

    // The exit status of the run (found, none found, incomplete data), or the
    // usage error that stopped the replay.
    Result<int> Run(const SelectOptions& options);

    [[nodiscard]] const MainWindowModel& Model() const { return m_model; }
    // The details of the search, for --details, worked out once asked for.
    const MainWindowModel& ModelWithDetails() {
        m_model.WorkOutDetails();
        return m_model;
    }
    [[nodiscard]] const std::vector<Message>& Messages() const { return m_messages.All(); }

private:
    RecordingMessages m_messages;
    QuietServices m_quiet;
    MainWindowModel m_model;
};

// Replays the options on the window's model in a fixed order (options, units,
// texts), as a user would; a usage error when a control cannot be reached.
Result<void> ReplayLaser(MainWindowModel& model, const SelectOptions& options);

}  // namespace tavrin::cli
