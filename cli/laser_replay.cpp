#include "laser_replay.h"

#include "exit_status.h"

namespace tavrin::cli {
namespace {

std::string HiddenReason(EntryId entry) {
    if (entry == EntryId::Beam2) {
        return "is hidden for a circular beam (add --rect)";
    }
    return "is hidden for a CW laser (add --pulsed)";
}

Error Usage(std::string what) {
    return Error{ErrorCode::BadUsage, std::move(what)};
}

// Whether a value (or, with `forUnit`, a unit) can be given to the entry as
// the window stands; the refusal says why not, after the option's name.
Result<void> CheckReachable(const UnitEntry& entry, EntryId id, bool forUnit) {
    if (!entry.Visible) {
        return Usage(HiddenReason(id));
    }
    const bool enabled = forUnit ? entry.UnitEnabled : entry.Enabled;
    if (!enabled) {
        return Usage("is disabled while the rate unit is \"Single\"");
    }
    return {};
}

}  // namespace

MessageAnswer RecordingMessages::Show(const Message& message) {
    m_messages.push_back(message);
    return MessageAnswer::Ok;
}

LaserRun::LaserRun(std::shared_ptr<const SearchCatalogue> catalogue, const std::filesystem::path& folder,
                   char decimalSeparator)
    : m_model(std::move(catalogue), folder, decimalSeparator,
              MainWindowServices{m_messages, m_quiet, m_quiet, m_quiet}) {}

Result<int> LaserRun::Run(const SelectOptions& options) {
    if (const auto replayed = ReplayLaser(m_model, options); !replayed) {
        return replayed.Failure();
    }
    m_model.KeepRejections(options.explain);
    switch (m_model.Explore()) {
        case ExploreOutcome::Found:
            return kFound;
        case ExploreOutcome::NoneFound:
            return kNoneFound;
        case ExploreOutcome::Invalid:
            break;
    }
    return kInvalid;
}

Result<void> ReplayLaser(MainWindowModel& model, const SelectOptions& options) {
    if (options.pulsed) {
        model.ClickOption(OptionId::Pulsed);
    }
    if (options.rect) {
        model.ClickOption(OptionId::Rectangular);
    }
    if (options.single) {
        model.ClickOption(OptionId::PowerEnergy);
    }
    if (options.probe) {
        model.ClickOption(OptionId::Probe);
    }
    model.ChooseProfile(options.profile);
    if (options.profile == Profile::Measured) {
        model.TypeProfileFactor(options.profileFactor);
    }
    model.TypeMaxShare(options.maxShare);
    model.ChooseThresholdRule(options.threshold);
    for (const EntryId entry :
         {EntryId::WaveLength, EntryId::MaxPower, EntryId::MaxEnergy, EntryId::RepRate, EntryId::PulseWidth}) {
        const auto given = options.values.find(entry);
        if (given == options.values.end() || !given->second.unit) {
            continue;
        }
        const UnitEntry& state = model.State().Entry(entry);
        if (const auto reachable = CheckReachable(state, entry, true); !reachable) {
            return Usage(std::string(OptionName(entry)) + ": the unit list " + reachable.Failure().message);
        }
        const int index = state.IndexOf(*given->second.unit);
        if (index < 0) {
            return Usage(std::string(OptionName(entry)) + ": \"" + *given->second.unit +
                         "\" is not an item of the unit list now");
        }
        model.ChooseUnit(entry, index);
    }
    for (const auto& option : ValueOptions()) {
        const auto given = options.values.find(option.entry);
        if (given == options.values.end()) {
            continue;
        }
        if (const auto reachable = CheckReachable(model.State().Entry(option.entry), option.entry, false); !reachable) {
            return Usage(std::string(option.name) + ": the entry " + reachable.Failure().message);
        }
        model.TypeText(option.entry, given->second.text);
    }
    return {};
}

}  // namespace tavrin::cli
