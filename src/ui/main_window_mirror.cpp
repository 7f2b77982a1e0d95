// The model's changes mirrored into the main window's widgets, control by
// control; the widgets are built in main_window_layout.cpp.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <optional>

#include "accessible_widgets.h"
#include "beam/derived_rows.h"
#include "details_panel.h"
#include "main_window.h"
#include "qt_services.h"
#include "results_table_model.h"
#include "results_view.h"

namespace tavrin::ui {
namespace {

// A unit as the list shows it: "µm" for the stored "um" where the font has
// the sign; the model and the command line keep "um".
QString ShownUnit(const std::string& unit, const QFont& font) {
    QString shown = ToQt(unit);
    if (shown.startsWith(QLatin1Char('u')) && shown.size() > 1 && QFontMetrics(font).inFont(QChar(0x00B5))) {
        shown[0] = QChar(0x00B5);
    }
    return shown;
}

// The value label a label's caption is read with: itself for a value, the
// value beside it for a unit; none for the entries' captions.
std::optional<LabelId> ValueLabelOf(LabelId label) {
    if (label == LabelId::Beam || label == LabelId::Power) {
        return std::nullopt;
    }
    const auto row = DerivedRowOf(label);
    return row ? row->value : label;
}

}  // namespace

void MainWindow::EntryTextChanged(EntryId entry) {
    SyncText(entry);
}

void MainWindow::EntryUnitsChanged(EntryId entry) {
    SyncUnits(entry);
}

void MainWindow::EntryFlagsChanged() {
    SyncFlags();
}

void MainWindow::LabelChanged(LabelId label) {
    SyncLabel(label);
    SyncProfile();  // the peak line follows the densities
}

void MainWindow::OptionsChanged() {
    SyncOptions();
}

void MainWindow::ProfileChanged() {
    SyncProfile();
}

void MainWindow::GridChanged() {
    SyncGrid();
}

void MainWindow::PrintButtonChanged() {
    m_print->setEnabled(m_model->PrintEnabled());
    m_printAction->setEnabled(m_model->PrintEnabled());
    m_savePdfAction->setEnabled(m_model->ReportEnabled());
}

void MainWindow::DetailsChanged() {
    SyncDetails();
}

void MainWindow::FocusMoved() {
    if (m_model->ProfileFactorFocused()) {
        m_profileFactor->setFocus(Qt::OtherFocusReason);
    } else if (m_model->MaxShareFocused()) {
        m_maxShare->setFocus(Qt::OtherFocusReason);
    } else if (const auto focus = m_model->Focus()) {
        m_entries[static_cast<std::size_t>(*focus)].edit->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::UndoChanged() {
    m_undoAction->setEnabled(m_model->CanUndoReset());
}

void MainWindow::StatusChanged() {
    statusBar()->showMessage(ToQt(m_model->Status()));
}

// A screen reader announces an entry by its caption and unit ("Max Power, W")
// and its unit list by the caption ("Max Power unit").
void MainWindow::NameEntry(EntryId id) {
    const EntryWidgets& widgets = m_entries[static_cast<std::size_t>(id)];
    if (id == EntryId::Beam1 || id == EntryId::Beam2) {
        const bool rectangle = m_model->State().Beam2().Visible;
        const QString name = id == EntryId::Beam2 ? QStringLiteral("Beam width W")
                             : rectangle          ? QStringLiteral("Beam length L")
                                                  : QStringLiteral("Beam Diameter");
        widgets.edit->setAccessibleName(name + QStringLiteral(", mm"));
        return;
    }
    QString caption = widgets.caption->text().trimmed();
    caption.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    const QString unit = widgets.units->currentText();
    widgets.edit->setAccessibleName(unit.isEmpty() ? caption : caption + QStringLiteral(", ") + unit);
    widgets.units->setAccessibleName(caption + QStringLiteral(" unit"));
}

// The text, and a mark on an entry whose text reads as no number.
void MainWindow::SyncText(EntryId id) {
    QLineEdit* edit = m_entries[static_cast<std::size_t>(id)].edit;
    const QString text = ToQt(m_model->State().Entry(id).Text);
    if (edit->text() != text) {
        edit->setText(text);  // puts the caret at the end
    }
    const QString warning = ToQt(m_model->EntryWarning(id));
    if (edit->toolTip() != warning) {
        edit->setToolTip(warning);
        edit->setAccessibleDescription(warning);
        edit->setStyleSheet(warning.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 2px solid #D55E00; }"));
    }
}

void MainWindow::SyncUnits(EntryId id) {
    QComboBox* units = m_entries[static_cast<std::size_t>(id)].units;
    if (units == nullptr) {
        return;
    }
    const UnitEntry& entry = m_model->State().Entry(id);
    const QSignalBlocker blocker(units);
    QStringList items;
    for (const auto& unit : entry.Units) {
        items << ShownUnit(unit, units->font());
    }
    QStringList shown;
    for (int i = 0; i < units->count(); ++i) {
        shown << units->itemText(i);
    }
    if (shown != items) {
        units->clear();
        units->addItems(items);
    }
    units->setCurrentIndex(entry.UnitIndex);
    NameEntry(id);
}

void MainWindow::SyncFlags() {
    for (int i = 0; i < kEntryCount; ++i) {
        const UnitEntry& entry = m_model->State().Entry(static_cast<EntryId>(i));
        EntryWidgets& widgets = m_entries[static_cast<std::size_t>(i)];
        widgets.edit->setVisible(entry.Visible);
        widgets.edit->setEnabled(entry.Enabled);
        if (widgets.units != nullptr) {
            widgets.units->setVisible(entry.Visible);
            widgets.units->setEnabled(entry.UnitEnabled);
        }
        if (widgets.caption != nullptr && static_cast<EntryId>(i) != EntryId::Beam1) {
            widgets.caption->setVisible(entry.Visible);
        }
    }
    const bool rectangle = m_model->State().Beam2().Visible;
    m_lengthMark->setVisible(rectangle);
    m_widthMark->setVisible(rectangle);
    m_entries[static_cast<std::size_t>(EntryId::Beam1)].caption->setVisible(true);
    NameEntry(EntryId::Beam1);
    NameEntry(EntryId::Beam2);
    SyncProfile();  // the beam entries' tooltips name the shape
}

void MainWindow::SyncOptions() {
    for (const auto& [id, button] : m_options) {
        const QSignalBlocker blocker(button);
        button->setEnabled(m_model->OptionEnabled(id));
        button->setAutoExclusive(false);
        button->setChecked(m_model->OptionSelected(id));
        button->setAutoExclusive(true);
    }
}

void MainWindow::SyncProfile() {
    const LaserInputState& state = m_model->State();
    {
        const QSignalBlocker blocker(m_profile);
        m_profile->setCurrentIndex(static_cast<int>(state.BeamProfile));
    }
    const bool measured = state.BeamProfile == Profile::Measured;
    m_profileFactor->setEnabled(measured);
    const QString factor = ToQt(state.ProfileFactor);
    if (m_profileFactor->text() != factor) {
        const int cursor = std::min(m_profileFactor->cursorPosition(), static_cast<int>(factor.size()));
        m_profileFactor->setText(factor);
        m_profileFactor->setCursorPosition(cursor);
    }
    const QString peak = ToQt(m_model->PeakLine());
    m_peakLine->setText(peak);
    m_peakLine->setVisible(!peak.isEmpty());
    const QString share = ToQt(state.MaxShare);
    if (m_maxShare->text() != share) {
        m_maxShare->setText(share);
    }
    {
        const QSignalBlocker blocker(m_thresholdRule);
        m_thresholdRule->setCurrentIndex(static_cast<int>(state.Threshold));
    }
    // What the beam sizes mean changes with the profile and the shape.
    const QString sizes = ToQt(m_model->SizeAssumption());
    for (const EntryId beam : {EntryId::Beam1, EntryId::Beam2}) {
        QLineEdit* edit = m_entries[static_cast<std::size_t>(beam)].edit;
        edit->setToolTip(sizes);
        edit->setAccessibleDescription(sizes);
    }
}

// A label's caption; a value label also carries, for a screen reader, its
// value with the unit of the unit label beside it ("50.3 mm²").
void MainWindow::SyncLabel(LabelId label) {
    m_labels.at(label)->setText(ToQt(m_model->Labels().Get(label)));
    if (label == LabelId::Power) {
        NameEntry(EntryId::MaxPower);
    }
    if (const auto value = ValueLabelOf(label)) {
        SetAccessibleValue(m_labels.at(*value), ToQt(ValueWithUnit(m_model->Labels(), *value)));
    }
}

void MainWindow::SyncGrid() {
    m_gridModel->Refresh();
    m_grid->scrollToTop();  // a new search starts at its first head
    SyncPickedRow();
    // The last column takes the rest of the grid's width; the first is never
    // narrower than the banner over it.
    for (int column = 0; column + 1 < m_gridModel->columnCount(); ++column) {
        const int width = m_model->Grid().ColumnWidth(m_gridModel->GridColumn(column));
        if (width != ResultsGrid::kNoWidth) {
            const int banner = column == 0 ? m_headsHeader->sizeHint().width() - m_grid->frameWidth() : 0;
            m_grid->setColumnWidth(column, std::max(width, banner));
        }
    }
    m_copyAction->setEnabled(m_model->Grid().RowCount() != 0);
}

// One head in view: the grid highlights it when it is one of the grid's.
void MainWindow::SyncPickedRow() {
    const QSignalBlocker blocker(m_grid->selectionModel());
    if (const auto row = m_model->PickedRow()) {
        if (!m_grid->selectionModel()->isRowSelected(*row - 1, {})) {
            m_grid->selectRow(*row - 1);
        }
    } else {
        m_grid->clearSelection();
    }
}

// The area opens below the grid, in the window's own height: its pane of the
// splitter shows or hides.
void MainWindow::SyncDetails() {
    SyncPickedRow();
    const bool shown = m_model->Details().Shown();
    {
        const QSignalBlocker blocker(m_detailsToggle);
        m_detailsToggle->setChecked(shown);
        m_detailsToggle->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
    }
    if (shown) {  // a hidden area has nothing worked out for it
        m_details->Sync();
    }
    QWidget* pane = m_splitter->widget(1);
    if (pane->isVisibleTo(this) != shown) {
        pane->setVisible(shown);
        PlaceSplitter();
    }
    m_saveChartAction->setEnabled(m_model->Details().PickedHead().has_value());
}

void MainWindow::SyncAll() {
    for (const auto& [id, label] : m_labels) {
        SyncLabel(id);
    }
    for (int i = 0; i < kEntryCount; ++i) {
        SyncText(static_cast<EntryId>(i));
        SyncUnits(static_cast<EntryId>(i));
    }
    SyncFlags();
    SyncOptions();
    SyncProfile();
    SyncGrid();
    AlignGridHeaders();
    PrintButtonChanged();
    UndoChanged();
    StatusChanged();
    SyncDetails();
}

}  // namespace tavrin::ui
