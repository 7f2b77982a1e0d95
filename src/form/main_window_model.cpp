#include "main_window_model.h"

#include <algorithm>

#include "about_text.h"
#include "beam/beam_profile.h"
#include "grid_text.h"
#include "launcher.h"
#include "reports/report.h"
#include "reports/request_text.h"
#include "selection/monitors.h"
#include "selection/validation.h"

namespace tavrin {
std::unique_ptr<MainWindowModel> MainWindowModel::Start(const std::filesystem::path& programFolder,
                                                        char decimalSeparator, const MainWindowServices& services) {
    auto catalogue = LoadCatalogue(programFolder);
    if (!catalogue) {
        services.messages.Show(CatalogueErrorMessage(catalogue.Failure()));
        return nullptr;
    }
    return std::make_unique<MainWindowModel>(std::move(catalogue.Value()), programFolder, decimalSeparator, services);
}

MainWindowModel::MainWindowModel(Catalogue catalogue, std::filesystem::path programFolder, char decimalSeparator,
                                 const MainWindowServices& services)
    : MainWindowModel(std::make_shared<const SearchCatalogue>(std::move(catalogue)), std::move(programFolder),
                      decimalSeparator, services) {}

MainWindowModel::MainWindowModel(std::shared_ptr<const SearchCatalogue> catalogue, std::filesystem::path programFolder,
                                 char decimalSeparator, const MainWindowServices& services)
    : m_catalogue(std::move(catalogue)),
      m_services(services),
      m_entries(decimalSeparator, services.messages, m_view),
      m_documents(std::move(programFolder), services.messages, services.documents, services.printer),
      m_details(m_catalogue->catalogue, m_catalogue->limits, decimalSeparator) {
    m_entries.StartUp();
    SetupGrid(m_grid);
}

void MainWindowModel::ResetData() {
    // An empty laser is not worth bringing back: a second reset keeps the first's.
    bool typed = !State().ProfileFactor.empty();
    for (int i = 0; i < kEntryCount; ++i) {
        typed = typed || !State().Entry(static_cast<EntryId>(i)).Text.empty();
    }
    if (typed) {
        m_beforeReset = m_entries.Keep();
        m_view.UndoChanged();
    }
    m_entries.ClearEntries();
    m_entries.ChooseProfile(Profile::Uniform);
    m_entries.ChooseThresholdRule(ThresholdRule::AsListed);
    m_grid.ClearGrid(false);
    m_pickedRow.reset();
    m_view.GridChanged();
    SetPrintEnabled(false, false);
    m_details.Clear();
    m_view.DetailsChanged();
    // The next laser is typed from the beam on (a stray Space on the focused
    // button would otherwise reset again).
    MoveFocus(EntryId::Beam1);
}

void MainWindowModel::UndoReset() {
    if (!m_beforeReset) {
        return;
    }
    EntryCascade::Kept kept = std::move(*m_beforeReset);
    m_beforeReset.reset();
    m_entries.Restore(std::move(kept));
    ClearMonitorLabels();  // they described the results, which stay empty
    m_view.UndoChanged();
    MoveFocus(EntryId::Beam1);
}

void MainWindowModel::CopyResults(Clipboard& clipboard) {
    const int rows = m_grid.RowCount();
    if (rows == 0) {
        SetStatus("No results to copy");
        return;
    }
    clipboard.SetText(GridAsTabSeparated(m_grid));
    SetStatus(rows == 1 ? "1 head copied to the clipboard" : std::to_string(rows) + " heads copied to the clipboard");
}

ExploreOutcome MainWindowModel::Explore() {
    m_lastRequest.reset();
    SetStatus("");
    auto failure = ValidateInputs(State());
    if (!failure) {
        failure = ValidateValues(State(), Numbers());
    }
    if (failure) {
        m_services.messages.Show(failure->message);
        if (failure->focusProfileFactor || failure->focusMaxShare) {
            m_focus.reset();
            m_sideFocus = failure->focusProfileFactor ? SideFocus::ProfileFactor : SideFocus::MaxShare;
            m_view.FocusMoved();
        } else {
            MoveFocus(failure->focus);
        }
        return ExploreOutcome::Invalid;
    }
    ClearMonitorLabels();
    m_pickedRow.reset();
    SearchHeads(m_catalogue->catalogue, m_catalogue->limits, State(), Numbers(), m_grid,
                m_keepRejections ? &m_rejections : nullptr);
    m_view.GridChanged();
    // The details read the laser as the search just did.
    m_details.Explored(State());
    m_view.DetailsChanged();
    if (const int rows = m_grid.RowCount(); rows != 0) {
        SetPrintEnabled(true, true);
        SetStatus(rows == 1 ? "1 head suits this laser" : std::to_string(rows) + " heads suit this laser");
        return ExploreOutcome::Found;
    }
    SetStatus("No head suits this laser: a custom head can be requested");
    // With no head kept, why each was not is what the user needs next.
    m_details.ShowUnlessHidden();
    m_view.DetailsChanged();
    ComposeRequest();
    SetPrintEnabled(false, true);
    return ExploreOutcome::NoneFound;
}

std::string MainWindowModel::SizeAssumption() const {
    return tavrin::SizeAssumption(State());
}

void MainWindowModel::ComposeRequest() {
    std::string text = ComposeRequestText(State(), Labels(), Numbers().DecimalSeparator());
    m_lastRequest = text;
    m_services.requestWindow.Testo(text);
    m_services.requestWindow.UncoveredWavelength(UncoveredWavelength());
    m_services.requestWindow.ShowModal();
}

// The wavelength as typed, with its unit, when no head of the catalogue covers it.
std::string MainWindowModel::UncoveredWavelength() const {
    const SearchContext context(State(), Numbers(), m_catalogue->catalogue.Coatings);
    if (!context.Applies(Criterion::Wavelength)) {
        return "";
    }
    const auto& heads = m_catalogue->limits;
    const bool covered = std::any_of(heads.begin(), heads.end(), [&context](const HeadLimits& head) {
        return !Fails(Criterion::Wavelength, head, context);
    });
    const UnitEntry& wavelength = State().WaveLength();
    return covered ? "" : wavelength.Text + " " + wavelength.Unit();
}

void MainWindowModel::CellSelected(int row) {
    if (row < 1 || row > m_grid.RowCount()) {
        return;
    }
    for (const Monitor& monitor : kMonitors) {
        m_entries.ShowCaption(monitor.valueLabel,
                              MonitorCaption(monitor, m_grid.CellAt(row, monitor.column), State().SinglePulse()));
    }
    m_pickedRow = row;
    m_details.PickKept(static_cast<std::size_t>(row - 1));
    m_view.DetailsChanged();
}

// A rejected head in view: the grid's pick and the monitor resolutions, which
// describe a suitable head, are cleared.
void MainWindowModel::PickWhyNot(int row) {
    m_details.WorkOut();
    if (row < 0 || static_cast<std::size_t>(row) >= m_details.WhyNotCount()) {
        return;
    }
    ClearMonitorLabels();
    m_pickedRow.reset();
    m_details.PickRejected(static_cast<std::size_t>(row));
    m_view.DetailsChanged();
}

void MainWindowModel::WhyNotActivated(int row) {
    PickWhyNot(row);
    if (const auto head = m_details.PickedHead(); head && m_details.PickedWhyNotRow()) {
        m_documents.OpenDataSheet(m_catalogue->catalogue.Heads[*head].Name);
    }
}

void MainWindowModel::ShowDetails(bool shown) {
    m_details.SetShown(shown);
    m_view.DetailsChanged();
}

void MainWindowModel::SortWhyNotBy(WhyNotColumn column) {
    m_details.SortWhyNotBy(column);
    m_view.DetailsChanged();
}

void MainWindowModel::CellActivated(int row) {
    if (row < 1 || row > m_grid.RowCount()) {
        return;
    }
    m_documents.OpenDataSheet(m_grid.CellAt(row, GridColumn::Name));
}

void MainWindowModel::Print() {
    const auto written = m_documents.Print(
        ComposeReport(State(), Labels(), m_grid, &ReplaceControlCharacters, Numbers().DecimalSeparator()));
    SetStatus(written ? "Report written to " + written->string()
                      : std::string(kReportFileName) + " could not be written");
}

void MainWindowModel::SaveChart(ChartFiles& files) {
    if (!m_details.PickedHead()) {
        return;
    }
    if (const auto saved = m_documents.SaveChart(files, m_details.ChartFileStem())) {
        SetStatus("Chart saved to " + *saved);
    }
}

void MainWindowModel::SaveReportPdf(ReportFiles& files) {
    if (!m_reportEnabled) {
        return;
    }
    const ReportDocument document =
        ComposeReportDocument(*this, ReportChoice{m_details.PickedHead(), TodayText(), PaperFromEnvironment()});
    if (const auto saved = m_documents.SaveReport(files, document)) {
        SetStatus("Report saved to " + *saved);
    }
}

void MainWindowModel::OpenUserGuide() {
    OpenInformationText(ProgramFolder(), m_services.documents, m_services.messages);
}

void MainWindowModel::ShowAbout() {
    m_services.messages.Show(AboutMessage(Heads().Heads.size(), ProgramFolder()));
}

void MainWindowModel::SetStatus(std::string status) {
    if (m_status != status) {
        m_status = std::move(status);
        m_view.StatusChanged();
    }
}

void MainWindowModel::ClearMonitorLabels() {
    for (const Monitor& monitor : kMonitors) {
        m_entries.ShowCaption(monitor.valueLabel, "");
    }
}

void MainWindowModel::MoveFocus(EntryId entry) {
    m_focus = entry;
    m_sideFocus = SideFocus::None;
    m_view.FocusMoved();
}

void MainWindowModel::SetPrintEnabled(bool print, bool report) {
    m_printEnabled = print;
    m_reportEnabled = report;
    m_view.PrintButtonChanged();
}

}  // namespace tavrin
