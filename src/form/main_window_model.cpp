#include "main_window_model.h"

#include "documents.h"
#include "recompute_rules.h"

#include <array>
#include <cassert>
#include <system_error>

#include "beam/derived_values.h"
#include "beam/entry_filter.h"
#include "reports/maker_contact.h"
#include "reports/report.h"
#include "reports/request_text.h"
#include "selection/head_search.h"
#include "selection/validation.h"
#include "support/file_io.h"

namespace tavrin {
namespace {

// What the recomputation reads and writes; equal snapshots mean that running
// it again would change nothing.
struct Snapshot {
    LaserInputState state;
    LabelCaptions labels;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

constexpr std::array<LabelId, 6> kMonitorLabels = {LabelId::VSela, LabelId::VVantic, LabelId::VBrisa,
                                                   LabelId::VQDM,  LabelId::VArdo,   LabelId::VRVX};

}  // namespace

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
      m_programFolder(std::move(programFolder)),
      m_services(services),
      m_numbers(decimalSeparator),
      m_details(m_catalogue->catalogue, m_catalogue->limits, decimalSeparator) {
    RunStartUp();
}

void MainWindowModel::SetChangeListener(std::function<void(const ControlChange&)> listener) {
    m_listener = std::move(listener);
}

void MainWindowModel::Notify(ControlKind kind, int index) {
    if (m_listener) {
        m_listener(ControlChange{kind, index});
    }
}

void MainWindowModel::RunStartUp() {
    SetCaption(LabelId::Beam, kCircularBeamCaption);
    m_state.ShowBeamWidth(false);
    SetCaption(LabelId::Power, kCwPowerCaption);
    m_state.ShowPulseEntries(false);
    Notify(ControlKind::EntryFlags);
    SetupGrid(m_grid);
    Notify(ControlKind::Grid);
    for (const EntryId entry : {EntryId::MaxEnergy, EntryId::MaxPower, EntryId::WaveLength, EntryId::PulseWidth}) {
        SelectUnitNamed(entry, UnitListOf(entry)->startUnit);
    }
    FillRepRateUnits(false);
}

// ---- user actions -------------------------------------------------------

bool MainWindowModel::TypeText(EntryId entry, std::string text) {
    const UnitEntry& target = m_state.Entry(entry);
    if (!target.Visible || !target.Enabled) {
        return false;
    }
    WriteEntryText(entry, std::move(text));
    return true;
}

bool MainWindowModel::ChooseUnit(EntryId entry, int index) {
    const UnitEntry& target = m_state.Entry(entry);
    if (!target.Visible || !target.UnitEnabled || index < 0 || index >= static_cast<int>(target.Units.size())) {
        return false;
    }
    SelectUnitIndex(entry, index);
    return true;
}

bool MainWindowModel::ClickOption(OptionId option) {
    if (!OptionEnabled(option)) {
        return false;
    }
    SelectOption(option);
    return true;
}

void MainWindowModel::ResetData() {
    static constexpr std::array<EntryId, 7> kOrder = {EntryId::Beam1,     EntryId::Beam2,      EntryId::MaxEnergy,
                                                      EntryId::MaxPower,  EntryId::PulseWidth, EntryId::RepRate,
                                                      EntryId::WaveLength};
    for (const EntryId entry : kOrder) {
        WriteEntryText(entry, "");
    }
    static constexpr std::array<LabelId, 12> kCleared = {LabelId::VArea,
                                                         LabelId::VAvgPower,
                                                         LabelId::VEnergyDensity,
                                                         LabelId::VSela,
                                                         LabelId::VVantic,
                                                         LabelId::VBrisa,
                                                         LabelId::VQDM,
                                                         LabelId::VArdo,
                                                         LabelId::VRVX,
                                                         LabelId::VPeakPower,
                                                         LabelId::VPeakPowerDensity,
                                                         LabelId::VPowerDensity};
    for (const LabelId label : kCleared) {
        SetCaption(label, "");
    }
    m_grid.ClearGrid(false);
    m_pickedRow.reset();
    Notify(ControlKind::Grid);
    SetPrintEnabled(false);
    m_details.Clear();
    Notify(ControlKind::Details);
    // The next laser is typed from the beam on (a stray Space on the focused
    // button would otherwise reset again).
    m_focus = EntryId::Beam1;
    Notify(ControlKind::Focus, static_cast<int>(EntryId::Beam1));
}

ExploreOutcome MainWindowModel::Explore() {
    m_lastRequest.reset();
    auto failure = ValidateInputs(m_state);
    if (!failure) {
        failure = ValidateValues(m_state, m_numbers);
    }
    if (failure) {
        m_services.messages.Show(failure->message);
        m_focus = failure->focus;
        Notify(ControlKind::Focus, static_cast<int>(failure->focus));
        return ExploreOutcome::Invalid;
    }
    for (const LabelId label : kMonitorLabels) {
        SetCaption(label, "");
    }
    m_pickedRow.reset();
    SearchHeads(m_catalogue->catalogue, m_catalogue->limits, m_state, m_numbers, m_grid,
                m_keepRejections ? &m_rejections : nullptr);
    Notify(ControlKind::Grid);
    UpdateDetails();
    if (m_grid.RowCount() != 0) {
        SetPrintEnabled(true);
        return ExploreOutcome::Found;
    }
    // With no head kept, why each was not is what the user needs next.
    m_details.ShowUnlessHidden();
    Notify(ControlKind::Details);
    ComposeRequest();
    SetPrintEnabled(false);
    return ExploreOutcome::NoneFound;
}

void MainWindowModel::ComposeRequest() {
    std::string text = ComposeRequestText(m_state, m_labels);
    m_lastRequest = text;
    m_services.requestWindow.Testo(text);
    m_services.requestWindow.ShowModal();
}

// The details read the laser as the search just did.
void MainWindowModel::UpdateDetails() {
    m_details.Explored(m_state);
    Notify(ControlKind::Details);
}

void MainWindowModel::CellSelected(int row) {
    if (row < 1 || row > m_grid.RowCount()) {
        return;
    }
    SetCaption(LabelId::VArdo, m_grid.CellAt(row, GridColumn::Ardo));
    SetCaption(LabelId::VBrisa, m_grid.CellAt(row, GridColumn::Brisa));
    SetCaption(LabelId::VRVX, m_state.SinglePulse() ? " n.a." : m_grid.CellAt(row, GridColumn::RVX));
    SetCaption(LabelId::VQDM, m_grid.CellAt(row, GridColumn::QDM));
    SetCaption(LabelId::VSela, m_grid.CellAt(row, GridColumn::Sela));
    SetCaption(LabelId::VVantic, m_grid.CellAt(row, GridColumn::Vantic));
    m_pickedRow = row;
    m_details.PickKept(static_cast<std::size_t>(row - 1));
    Notify(ControlKind::Details);
}

// A rejected head in view: the grid's pick and the monitor resolutions, which
// describe a suitable head, are cleared.
void MainWindowModel::PickWhyNot(int row) {
    m_details.WorkOut();
    if (row < 0 || static_cast<std::size_t>(row) >= m_details.WhyNotCount()) {
        return;
    }
    for (const LabelId label : kMonitorLabels) {
        SetCaption(label, "");
    }
    m_pickedRow.reset();
    m_details.PickRejected(static_cast<std::size_t>(row));
    Notify(ControlKind::Details);
}

void MainWindowModel::WhyNotActivated(int row) {
    PickWhyNot(row);
    if (const auto head = m_details.PickedHead(); head && m_details.PickedWhyNotRow()) {
        OpenDataSheet(m_catalogue->catalogue.Heads[*head].Name);
    }
}

void MainWindowModel::ShowDetails(bool shown) {
    m_details.SetShown(shown);
    Notify(ControlKind::Details);
}

void MainWindowModel::SortWhyNotBy(WhyNotColumn column) {
    m_details.SortWhyNotBy(column);
    Notify(ControlKind::Details);
}

void MainWindowModel::SaveChart(ChartFiles& files) {
    if (!m_details.PickedHead()) {
        return;
    }
    const auto chosen = files.ChooseChartFile(m_details.ChartFileStem() + ".png");
    if (!chosen) {
        return;
    }
    // A name without a suffix takes the one of the filter it was chosen with.
    std::string path = chosen->path;
    auto format = ChartFormatOf(path);
    if (!format && chosen->filter && std::filesystem::path(path).extension().empty()) {
        format = chosen->filter;
        path += SuffixOf(*format);
    }
    if (!format) {
        m_services.messages.Show(Message{"Save the chart as a .png, .svg or .pdf file.", "Save Chart",
                                         MessageIcon::Exclamation, MessageButtons::Ok});
        return;
    }
    const auto bytes = files.RenderChart(*format);
    const auto written = bytes ? ReplaceFile(path, *bytes) : Result<void>(Error{ErrorCode::FileUnwritable, ""});
    if (!written) {
        const std::string& reason = written.Failure().reason;
        m_services.messages.Show(
            Message{"The chart could not be written to " + path + (reason.empty() ? "." : ": " + reason + "."),
                    "Save Chart", MessageIcon::Exclamation, MessageButtons::Ok});
    }
}

void MainWindowModel::CellActivated(int row) {
    if (row < 1 || row > m_grid.RowCount()) {
        return;
    }
    OpenDataSheet(m_grid.CellAt(row, GridColumn::Name));
}

void MainWindowModel::OpenDataSheet(const std::string& head) {
    if (const auto sheet = DataSheetOf(PdfFolder(m_programFolder), head)) {
        Open(sheet->string());
        return;
    }
    const Message missing{
        "Sorry, the PDF document containing the product features is not available here. Please, "
        "visit the Corvane website to consult this document.",
        "Info", MessageIcon::None, MessageButtons::OkCancel};
    if (m_services.messages.Show(missing) == MessageAnswer::Ok) {
        Open(kProductIndexPage);
    }
}

void MainWindowModel::Print() {
    const std::string report = ComposeReport(m_state, m_labels, m_grid);
    WriteReportFile(report);
    m_services.printer.PrintReport(report);
}

// Print.txt stays in the program folder where it can be written; an installed
// copy, whose folder is read-only, keeps it in the user's data folder and says
// so once per run.
void MainWindowModel::WriteReportFile(const std::string& report) {
    const auto written = ReplaceFile(m_programFolder / kReportFileName, report);
    if (written) {
        return;
    }
    if (!m_userDataFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(m_userDataFolder, ec);
        const std::filesystem::path fallback = m_userDataFolder / kReportFileName;
        if (!ec && ReplaceFile(fallback, report)) {
            if (!m_toldReportFolder) {
                m_toldReportFolder = true;
                m_services.messages.Show(
                    Message{"The program folder cannot be written, so the report is kept in " + fallback.string() + ".",
                            "Print", MessageIcon::Information, MessageButtons::Ok});
            }
            return;
        }
    }
    m_services.messages.Show(Message{written.Failure().message + ". The report is printed all the same.", "Print",
                                     MessageIcon::Exclamation, MessageButtons::Ok});
}

void MainWindowModel::OpenCurveDocument(CurveDocument document) {
    if (const auto file = CurveDocumentFile(PdfFolder(m_programFolder), document)) {
        Open(file->string());
        return;
    }
    m_services.messages.Show(
        Message{"Sorry, the PDF document is not available here", "Tavrin", MessageIcon::None, MessageButtons::Ok});
}

void MainWindowModel::OpenWebSite() {
    Open(kMakerWebSite);
}

// The desktop may have no program for the document or address; the user is told.
void MainWindowModel::Open(const std::string& target) {
    if (!m_services.documents.OpenDocument(target)) {
        m_services.messages.Show(CouldNotOpenMessage(target));
    }
}

// Peak power, average power and both densities, as most rows of the
// recomputation run them.
void MainWindowModel::ShowAll(bool powerEntered) {
    ShowPeakPower(*this);
    ShowAveragePower(*this);
    ShowPowerDensity(*this, powerEntered);
    ShowEnergyDensity(*this, powerEntered);
}

// ---- entries and unit lists -------------------------------------------------

void MainWindowModel::SetCaption(LabelId label, std::string caption) {
    if (m_labels.Get(label) == caption) {
        return;
    }
    m_labels.Set(label, std::move(caption));
    Notify(ControlKind::Label, static_cast<int>(label));
}

void MainWindowModel::WriteEntryText(EntryId entry, std::string text) {
    UnitEntry& target = m_state.Entry(entry);
    if (target.Text == text) {
        return;
    }
    std::size_t cuts = 0;
    const bool filtered = !(entry == EntryId::MaxEnergy && m_state.Updating);
    if (filtered) {
        FilteredText result = CutToNumeric(text, m_numbers);
        text = std::move(result.text);
        cuts = result.cuts;
    }
    target.Text = std::move(text);
    Notify(ControlKind::EntryText, static_cast<int>(entry));
    OnTextChanged(entry, cuts);
}

// The entry filter cuts a text that is not a number one character at a time,
// each cut raising the change behaviour nested inside the previous one; every
// level then recomputes from the same final text. The cutting is done in one
// go, and the recomputation repeats only while it still changes something.
void MainWindowModel::OnTextChanged(EntryId entry, std::size_t cuts) {
    RecomputeAfterText(entry);
    for (std::size_t run = 0; run < cuts; ++run) {
        const Snapshot before{m_state, m_labels};
        RecomputeAfterText(entry);
        if (Snapshot{m_state, m_labels} == before) {
            break;
        }
    }
}

void MainWindowModel::RecomputeAfterText(EntryId entry) {
    const bool coupled = entry == EntryId::MaxPower || entry == EntryId::MaxEnergy;
    if (coupled && m_state.Entry(entry).Text.empty()) {
        return;
    }
    Recompute(StepsAfterText(entry), entry == EntryId::MaxPower);
}

void MainWindowModel::Recompute(std::span<const RecomputeStep> steps, bool powerEntered) {
    for (const RecomputeStep step : steps) {
        switch (step) {
            case RecomputeStep::BeamArea:
                ShowBeamArea(*this);
                break;
            case RecomputeStep::PeakPower:
                ShowPeakPower(*this);
                break;
            case RecomputeStep::AveragePower:
                ShowAveragePower(*this);
                break;
            case RecomputeStep::PowerDensity:
                ShowPowerDensity(*this, false);
                break;
            case RecomputeStep::EnergyDensity:
                ShowEnergyDensity(*this, false);
                break;
            case RecomputeStep::All:
                ShowAll(powerEntered);
                break;
        }
    }
}

void MainWindowModel::WarnOverflow() {
    m_services.messages.Show(
        Message{"S\u00EC, scrivici valore troppo elevato se abbinato agli altri parametri impostati", "Attenzione",
                MessageIcon::Exclamation, MessageButtons::Ok});
}

// Auto-ranging's choice; a unit the list lacks is a mistake in the unit lists.
void MainWindowModel::SelectUnitText(EntryId entry, const std::string& unit) {
    SelectUnitNamed(entry, unit);
}

void MainWindowModel::SelectUnitIndex(EntryId entry, int index) {
    UnitEntry& target = m_state.Entry(entry);
    if (target.UnitIndex == index) {
        return;
    }
    target.UnitIndex = index;
    Notify(ControlKind::EntryUnits, static_cast<int>(entry));
    if (index != -1) {
        OnUnitChosen(entry);
    }
}

void MainWindowModel::OnUnitChosen(EntryId entry) {
    if (entry == EntryId::RepRate) {
        ApplyRepRateRule();
    }
    Recompute(StepsAfterUnit(entry), entry == EntryId::MaxPower);
}

void MainWindowModel::ApplyRepRateRule() {
    if (m_state.SinglePulse()) {
        SetEnabled(EntryId::RepRate, false);
        WriteEntryText(EntryId::RepRate, "1");
        SetUnitEnabled(EntryId::MaxPower, false);
        SetEnabled(EntryId::MaxPower, false);
        WriteEntryText(EntryId::MaxPower, "");
    } else {
        SetUnitEnabled(EntryId::MaxPower, true);
        SetEnabled(EntryId::MaxPower, true);
        SetEnabled(EntryId::RepRate, true);
    }
}

void MainWindowModel::FillRepRateUnits(bool withSingle) {
    UnitEntry& rate = m_state.RepRate();
    rate.UnitIndex = -1;
    rate.Units = UnitListOf(EntryId::RepRate)->units;
    if (withSingle) {
        rate.Units.emplace_back(kSingle);
    }
    Notify(ControlKind::EntryUnits, static_cast<int>(EntryId::RepRate));
    SelectUnitNamed(EntryId::RepRate, withSingle ? kSingle : UnitListOf(EntryId::RepRate)->startUnit);
}

// A unit the list lacks is a mistake in the unit lists, never the user's.
void MainWindowModel::SelectUnitNamed(EntryId entry, const std::string& unit) {
    const int index = m_state.Entry(entry).IndexOf(unit);
    assert(index >= 0 && "a unit its entry's list lacks");
    SelectUnitIndex(entry, index);
}

void MainWindowModel::SetEnabled(EntryId entry, bool enabled) {
    m_state.Entry(entry).Enabled = enabled;
    Notify(ControlKind::EntryFlags, static_cast<int>(entry));
}

void MainWindowModel::SetUnitEnabled(EntryId entry, bool enabled) {
    m_state.Entry(entry).UnitEnabled = enabled;
    Notify(ControlKind::EntryFlags, static_cast<int>(entry));
}

void MainWindowModel::SetPrintEnabled(bool enabled) {
    m_printEnabled = enabled;
    Notify(ControlKind::PrintButton);
}

}  // namespace tavrin
