#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "beam/beam_host.h"
#include "beam/labels.h"
#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "catalogue/catalogue.h"
#include "chart_files.h"
#include "desktop_services.h"
#include "details_area.h"
#include "documents.h"
#include "recompute_rules.h"
#include "reports/request_window.h"
#include "selection/head_limits.h"
#include "selection/results_grid.h"
#include "support/message_box.h"

namespace tavrin {

enum class OptionId { CW, Pulsed, Circular, Rectangular, Power, PowerEnergy, PowerMeter, Probe };

// What changed, so that a view can mirror just that control.
enum class ControlKind { EntryText, EntryUnits, EntryFlags, Label, Options, Grid, PrintButton, Focus, Details };
struct ControlChange {
    ControlKind kind;
    int index = 0;  // the EntryId or LabelId concerned, where there is one
};

// How an "Explore" ended.
enum class ExploreOutcome { Invalid, Found, NoneFound };

// The platform services the main window reaches the outside through.
struct MainWindowServices {
    MessageBoxService& messages;
    DocumentOpener& documents;
    RequestWindow& requestWindow;
    ReportPrinter& printer;
};

// The main window without its widgets: every control's state and the
// behaviour of every event. A write made by code to an entry or a unit list
// raises that control's behaviour at once, nested, as the window's controls do.
class MainWindowModel final : private BeamHost {
public:
    // Loads the catalogues of the program folder and runs the start-up; when a
    // catalogue file is missing, tells the user and returns nothing.
    static std::unique_ptr<MainWindowModel> Start(const std::filesystem::path& programFolder, char decimalSeparator,
                                                  const MainWindowServices& services);

    // Runs the start-up with catalogues already loaded.
    MainWindowModel(Catalogue catalogue, std::filesystem::path programFolder, char decimalSeparator,
                    const MainWindowServices& services);
    MainWindowModel(std::shared_ptr<const SearchCatalogue> catalogue, std::filesystem::path programFolder,
                    char decimalSeparator, const MainWindowServices& services);

    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;
    ~MainWindowModel() override = default;

    void SetChangeListener(std::function<void(const ControlChange&)> listener);

    // User actions. Input to a control that is hidden or disabled is refused
    // (false), as the window would not let it reach the control.
    bool TypeText(EntryId entry, std::string text);
    bool ChooseUnit(EntryId entry, int index);
    bool ClickOption(OptionId option);
    void ResetData();
    ExploreOutcome Explore();
    void CellSelected(int row);
    void CellActivated(int row);
    void Print();
    // Where Print.txt goes when the program folder cannot be written (the
    // freedesktop data home's "cv-tavrin" folder on the desktop).
    void SetUserDataFolder(std::filesystem::path folder) { m_userDataFolder = std::move(folder); }
    void OpenCurveDocument(CurveDocument document);
    void OpenWebSite();
    // The details area: a pick in the "Why not?" list (from 0, as sorted),
    // the user's show or hide, a click on a column's title, saving the chart.
    void PickWhyNot(int row);
    // Enter on a row of the "Why not?" list: that head's data sheet.
    void WhyNotActivated(int row);
    void ShowDetails(bool shown);
    void SortWhyNotBy(WhyNotColumn column);
    void SaveChart(ChartFiles& files);

    [[nodiscard]] const LaserInputState& State() const { return m_state; }
    [[nodiscard]] const LabelCaptions& Labels() const { return m_labels; }
    [[nodiscard]] const ResultsGrid& Grid() const { return m_grid; }
    [[nodiscard]] const Catalogue& Heads() const { return m_catalogue->catalogue; }
    [[nodiscard]] const DetailsArea& Details() const { return m_details; }
    // Whether Explore lists the heads it did not keep and why (the command
    // line's --explain); off by default, as the window shows the details instead.
    void KeepRejections(bool keep) { m_keepRejections = keep; }
    [[nodiscard]] const std::vector<HeadRejection>& Rejections() const { return m_rejections; }
    // Works out the details of the last search while the area is hidden (the
    // command line's --details).
    void WorkOutDetails() { m_details.WorkOut(); }
    [[nodiscard]] const NumberEntry& Numbers() const override { return m_numbers; }
    [[nodiscard]] bool OptionSelected(OptionId option) const;
    [[nodiscard]] bool OptionEnabled(OptionId option) const;
    [[nodiscard]] bool PrintEnabled() const { return m_printEnabled; }
    [[nodiscard]] std::optional<EntryId> Focus() const { return m_focus; }
    // The grid row (from 1) whose head is in view, if the head in view is one the grid lists.
    [[nodiscard]] std::optional<int> PickedRow() const { return m_pickedRow; }
    [[nodiscard]] const std::filesystem::path& ProgramFolder() const { return m_programFolder; }
    // The request composed by the last search that found nothing.
    [[nodiscard]] const std::optional<std::string>& LastRequest() const { return m_lastRequest; }

private:
    // BeamHost
    LaserInputState& InputState() override { return m_state; }
    void SetCaption(LabelId label, std::string caption) override;
    void WriteEntryText(EntryId entry, std::string text) override;
    void SelectUnitText(EntryId entry, const std::string& unit) override;
    void WarnOverflow() override;

    void RunStartUp();
    void SelectUnitIndex(EntryId entry, int index);
    void SelectUnitNamed(EntryId entry, const std::string& unit);
    void SelectOption(OptionId option);
    void FillRepRateUnits(bool withSingle);
    void ApplyRepRateRule();
    void OnTextChanged(EntryId entry, std::size_t cuts);
    void RecomputeAfterText(EntryId entry);
    void Recompute(std::span<const RecomputeStep> steps, bool powerEntered);
    void OnUnitChosen(EntryId entry);
    void OnOptionSelected(OptionId option);
    void ShowAll(bool powerEntered);
    void SetEnabled(EntryId entry, bool enabled);
    void SetUnitEnabled(EntryId entry, bool enabled);
    void SetPrintEnabled(bool enabled);
    void ComposeRequest();
    void UpdateDetails();
    void Notify(ControlKind kind, int index = 0);
    void Open(const std::string& target);
    void OpenDataSheet(const std::string& head);
    void WriteReportFile(const std::string& report);

    std::shared_ptr<const SearchCatalogue> m_catalogue;
    std::filesystem::path m_programFolder;
    MainWindowServices m_services;
    NumberEntry m_numbers;
    LaserInputState m_state;
    LabelCaptions m_labels;
    ResultsGrid m_grid;
    DetailsArea m_details;
    bool m_printEnabled = false;
    std::optional<EntryId> m_focus;
    std::optional<int> m_pickedRow;
    std::optional<std::string> m_lastRequest;
    bool m_keepRejections = false;
    std::vector<HeadRejection> m_rejections;
    std::filesystem::path m_userDataFolder;
    bool m_toldReportFolder = false;
    std::function<void(const ControlChange&)> m_listener;
};

}  // namespace tavrin
