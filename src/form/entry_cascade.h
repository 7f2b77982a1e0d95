#pragma once

#include <span>
#include <string>

#include "beam/beam_host.h"
#include "beam/display_ladder.h"
#include "beam/labels.h"
#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "main_window_view.h"
#include "recompute_rules.h"
#include "support/message_box.h"

namespace tavrin {

enum class OptionId { CW, Pulsed, Circular, Rectangular, Power, PowerEnergy, PowerMeter, Probe };

// The main window's entries, unit lists, option frames and captions, with
// the behaviour of each: a write to an entry or a unit list, by the user or
// by code, raises that control's change behaviour at once, nested, as the
// window's controls do (the derived values, auto-ranging, the rate-unit rule,
// the options' effects). The `Updating` guard of the laser state and that
// nesting stay inside this class.
class EntryCascade final : private BeamHost {
public:
    EntryCascade(char decimalSeparator, MessageBoxService& messages, MainWindowView& view);
    EntryCascade(const EntryCascade&) = delete;
    EntryCascade& operator=(const EntryCascade&) = delete;
    ~EntryCascade() override = default;

    // The captions, flags and start-up units of a window just opened.
    void StartUp();

    // User input; input to a hidden or disabled control is refused (false).
    bool TypeText(EntryId entry, std::string text);
    bool ChooseUnit(EntryId entry, int index);
    bool ClickOption(OptionId option);
    // The beam profile and, for a measured one, its peak-to-mean factor
    // (filtered as every number entry is; typed only while it is measured).
    void ChooseProfile(Profile profile);
    bool TypeProfileFactor(std::string text);
    // The ceiling on each limit's share, in percent (filtered as every number
    // entry is; empty for 100), and how thresholds are read between the
    // coating table's points.
    void TypeMaxShare(std::string text);
    void ChooseThresholdRule(ThresholdRule rule);
    // Reset Data's part: every entry emptied (each raising its behaviour, the
    // factor and the ceiling too) and the derived and monitor captions cleared.
    void ClearEntries();
    // A caption written from outside the cascade (the monitor resolutions).
    void ShowCaption(LabelId label, std::string caption);

    // The entries, options and captions whole, to be put back as they were
    // (Reset Data's undo); the view hears of every control again.
    struct Kept {
        LaserInputState state;
        LabelCaptions labels;
    };
    [[nodiscard]] Kept Keep() const { return {m_state, m_labels}; }
    void Restore(Kept kept);

    // What is wrong with an entry's text where the filter lets it stand but
    // it reads as no number ("1.000,5" with both separators), worded for a
    // tooltip; empty when nothing is.
    [[nodiscard]] std::string Warning(EntryId entry) const;

    [[nodiscard]] const LaserInputState& State() const { return m_state; }
    [[nodiscard]] const LabelCaptions& Labels() const { return m_labels; }
    [[nodiscard]] const NumberEntry& Numbers() const override { return m_numbers; }
    [[nodiscard]] bool OptionSelected(OptionId option) const;
    [[nodiscard]] bool OptionEnabled(OptionId option) const;
    // The densities at the centre of the absorber, on lines of their own
    // under the derived values; empty for a uniform beam.
    [[nodiscard]] std::string PeakLine(CaptionForm form = CaptionForm::Window) const;

private:
    // BeamHost
    LaserInputState& InputState() override { return m_state; }
    void SetCaption(LabelId label, std::string caption) override;
    void WriteEntryText(EntryId entry, std::string text) override;
    void SelectUnitText(EntryId entry, const std::string& unit) override;
    void WarnOverflow() override;

    void SelectUnitIndex(EntryId entry, int index);
    void SelectUnitNamed(EntryId entry, const std::string& unit);
    void SelectOption(OptionId option);
    void OnOptionSelected(OptionId option);
    void FillRepRateUnits(bool withSingle);
    void ApplyRepRateRule();
    void OnTextChanged(EntryId entry, std::size_t cuts);
    void RecomputeAfterText(EntryId entry);
    void Recompute(std::span<const RecomputeStep> steps, bool powerEntered);
    void OnUnitChosen(EntryId entry);
    void ShowAll(bool powerEntered);
    void SetEnabled(EntryId entry, bool enabled);
    void SetUnitEnabled(EntryId entry, bool enabled);

    NumberEntry m_numbers;
    MessageBoxService* m_messages;
    MainWindowView* m_view;
    LaserInputState m_state;
    LabelCaptions m_labels;
};

}  // namespace tavrin
