#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "beam/labels.h"
#include "beam/laser_input_state.h"
#include "beam/number_entry.h"
#include "catalogue/catalogue.h"
#include "chart_files.h"
#include "desktop_services.h"
#include "details_area.h"
#include "document_actions.h"
#include "documents.h"
#include "entry_cascade.h"
#include "laser_record.h"
#include "main_window_view.h"
#include "reports/request_window.h"
#include "selection/head_limits.h"
#include "selection/head_search.h"
#include "selection/results_grid.h"
#include "support/message_box.h"

namespace tavrin {

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
// behaviour of every event, in rooms of one job each: the entries and options
// with their nested behaviour (`EntryCascade`), what is handed to the desktop
// (`DocumentActions`), and here Explore with the grid, the details area and
// the request for a custom head.
class MainWindowModel final {
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

    // The view told of every change from now on; nullptr for none.
    void SetView(MainWindowView* view) { m_view.Attach(view); }

    // User actions. Input to a control that is hidden or disabled is refused
    // (false), as the window would not let it reach the control. Each one
    // that changes the laser ends what Undo could bring back.
    bool TypeText(EntryId entry, std::string text) { return Changed(m_entries.TypeText(entry, std::move(text))); }
    bool ChooseUnit(EntryId entry, int index) { return Changed(m_entries.ChooseUnit(entry, index)); }
    bool ClickOption(OptionId option) { return Changed(m_entries.ClickOption(option)); }
    void ChooseProfile(Profile profile) {
        Changed(profile != State().BeamProfile);
        m_entries.ChooseProfile(profile);
    }
    bool TypeProfileFactor(std::string text) { return Changed(m_entries.TypeProfileFactor(std::move(text))); }
    void TypeMaxShare(std::string text) {
        Changed(true);
        m_entries.TypeMaxShare(std::move(text));
    }
    void ChooseThresholdRule(ThresholdRule rule) {
        Changed(rule != State().Threshold);
        m_entries.ChooseThresholdRule(rule);
    }
    // Empties the laser and the results; the laser it emptied is kept for
    // UndoReset until the user changes the laser again.
    void ResetData();
    [[nodiscard]] bool CanUndoReset() const { return m_beforeReset.has_value(); }
    // The laser as it was before Reset Data (the results stay empty).
    void UndoReset();
    // The laser as the user set it up, and the same set up again as a user
    // would (a window that opens with the last run's laser).
    [[nodiscard]] LaserRecord Record() const { return RecordOf(State()); }
    void RestoreRecord(const LaserRecord& record) { Replay(m_entries, record); }
    // Copies the grid, with its header, as tab-separated text.
    void CopyResults(Clipboard& clipboard);
    ExploreOutcome Explore();
    void CellSelected(int row);
    void CellActivated(int row);
    void Print();
    // Where Print.txt goes when the program folder cannot be written (the
    // freedesktop data home's "cv-tavrin" folder on the desktop).
    void SetUserDataFolder(std::filesystem::path folder) { m_documents.SetUserDataFolder(std::move(folder)); }
    void OpenCurveDocument(CurveDocument document) { m_documents.OpenCurveDocument(document); }
    void OpenWebSite() { m_documents.OpenWebSite(); }
    // Help: the user's guide in the desktop's text viewer, and About.
    void OpenUserGuide();
    void ShowAbout();
    // The details area: a pick in the "Why not?" list (from 0, as sorted),
    // the user's show or hide, a click on a column's title, saving the chart.
    void PickWhyNot(int row);
    // Enter on a row of the "Why not?" list: that head's data sheet.
    void WhyNotActivated(int row);
    void ShowDetails(bool shown);
    void SortWhyNotBy(WhyNotColumn column);
    void SaveChart(ChartFiles& files);
    // File > Save Report as PDF: the last search's report, with the head in
    // view (or the first suitable one) on its second page.
    void SaveReportPdf(ReportFiles& files);

    [[nodiscard]] const LaserInputState& State() const { return m_entries.State(); }
    [[nodiscard]] const LabelCaptions& Labels() const { return m_entries.Labels(); }
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
    [[nodiscard]] const NumberEntry& Numbers() const { return m_entries.Numbers(); }
    [[nodiscard]] bool OptionSelected(OptionId option) const { return m_entries.OptionSelected(option); }
    [[nodiscard]] bool OptionEnabled(OptionId option) const { return m_entries.OptionEnabled(option); }
    [[nodiscard]] bool PrintEnabled() const { return m_printEnabled; }
    // Whether there is a search to report as a PDF (one that found heads or none).
    [[nodiscard]] bool ReportEnabled() const { return m_reportEnabled; }
    [[nodiscard]] std::optional<EntryId> Focus() const { return m_focus; }
    // Whether the peak-to-mean factor or the ceiling has the focus (Focus()
    // is then empty).
    [[nodiscard]] bool ProfileFactorFocused() const { return m_sideFocus == SideFocus::ProfileFactor; }
    [[nodiscard]] bool MaxShareFocused() const { return m_sideFocus == SideFocus::MaxShare; }
    // What the beam sizes stand for with the profile chosen, for the beam entries.
    [[nodiscard]] std::string SizeAssumption() const;
    [[nodiscard]] std::string PeakLine(CaptionForm form = CaptionForm::Window) const {
        return m_entries.PeakLine(form);
    }
    // What is wrong with an entry's text, for the entry's mark; empty when nothing is.
    [[nodiscard]] std::string EntryWarning(EntryId entry) const { return m_entries.Warning(entry); }
    // What the last command did, for the status line: heads found, where the
    // report or the chart was written.
    [[nodiscard]] const std::string& Status() const { return m_status; }
    // The grid row (from 1) whose head is in view, if the head in view is one the grid lists.
    [[nodiscard]] std::optional<int> PickedRow() const { return m_pickedRow; }
    [[nodiscard]] const std::filesystem::path& ProgramFolder() const { return m_documents.ProgramFolder(); }
    // The request composed by the last search that found nothing.
    [[nodiscard]] const std::optional<std::string>& LastRequest() const { return m_lastRequest; }

private:
    // Print's state and the PDF report's, told together.
    void SetPrintEnabled(bool print, bool report);
    void MoveFocus(EntryId entry);
    void ClearMonitorLabels();
    void ComposeRequest();
    [[nodiscard]] std::string UncoveredWavelength() const;
    void SetStatus(std::string status);
    bool Changed(bool changed) {
        if (changed && m_beforeReset) {
            m_beforeReset.reset();
            m_view.UndoChanged();
        }
        return changed;
    }

    std::shared_ptr<const SearchCatalogue> m_catalogue;
    MainWindowServices m_services;
    AttachedView m_view;
    EntryCascade m_entries;
    DocumentActions m_documents;
    ResultsGrid m_grid;
    DetailsArea m_details;
    bool m_printEnabled = false;
    bool m_reportEnabled = false;
    std::optional<EntryId> m_focus;
    enum class SideFocus { None, ProfileFactor, MaxShare };
    SideFocus m_sideFocus = SideFocus::None;
    std::optional<int> m_pickedRow;
    std::optional<std::string> m_lastRequest;
    bool m_keepRejections = false;
    std::vector<HeadRejection> m_rejections;
    std::optional<EntryCascade::Kept> m_beforeReset;
    std::string m_status;
};

}  // namespace tavrin
