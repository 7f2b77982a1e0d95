#include "main_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "accessible_widgets.h"
#include "details_panel.h"
#include "qt_mail.h"
#include "qt_services.h"
#include "results_table_model.h"
#include "results_view.h"
#include "usage_bars.h"
#include "window_style.h"

namespace tavrin::ui {
namespace {

// The frame most desktops draw around a window (a title bar and thin
// borders), assumed until the window manager tells the real one.
constexpr QMargins kAssumedFrame(4, 38, 4, 4);
// The height the details area is given, beyond the grid's own, when the
// monitors and the documents stand beside the grid.
constexpr int kDetailsRoom = 360;

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
    switch (label) {
        case LabelId::Beam:
        case LabelId::Power:
            return std::nullopt;
        case LabelId::MArea:
        case LabelId::MAvgPower:
        case LabelId::MPowerDensity:
        case LabelId::MPeakPower:
        case LabelId::MPeakPowerDensity:
        case LabelId::MEnergyDensity:
            // Each unit label follows its value label.
            return static_cast<LabelId>(static_cast<int>(label) - 1);
        default:
            return label;
    }
}

}  // namespace

MainWindow::MainWindow(MainWindowModel& model, QWidget* parent) : QMainWindow(parent), m_model(&model) {
    InstallAccessibleWidgets();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("CV-Tavrin"));
    setFont(Font(QStringLiteral("Tahoma"), 8.25, false));
    BuildMenus();
    statusBar()->setObjectName(QStringLiteral("stbMain"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("wgtMain"));
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(SectionHeader("lblSelect", QStringLiteral("Select"), central));
    m_optionsRow = BuildOptions();
    layout->addWidget(m_optionsRow);

    // The laser's entries and derived values keep the whole height on the
    // left; on the right the grid (with the monitors and documents) over the
    // details area, the user dragging the boundary. Each pane scrolls
    // upwards and downwards where the window is too low, never sideways.
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(BuildEntries());
    leftLayout->addWidget(BuildDerivedValues());
    leftLayout->addStretch();
    m_details = new DetailsPanel(*m_model, this);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("splDetails"));
    m_splitter->setChildrenCollapsible(false);
    QWidget* results = BuildResults();
    m_splitter->addWidget(ScrollingPane("scrInputs", results));
    m_splitter->addWidget(ScrollingPane("scrDetails", m_details));
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 3);
    auto* body = new QHBoxLayout;
    body->addWidget(ScrollingPane("scrEntries", left, PaneWidth::OfContent));
    body->addWidget(m_splitter, 1);
    layout->addLayout(body, 1);

    SizeEntries();
    Connect();
    SetTabOrder();
    SyncAll();
    m_entries[static_cast<std::size_t>(EntryId::Beam1)].edit->setFocus(Qt::OtherFocusReason);
    m_model->SetView(this);
}

MainWindow::~MainWindow() {
    m_model->SetView(nullptr);
}

void MainWindow::Connect() {
    for (int i = 0; i < kEntryCount; ++i) {
        const auto id = static_cast<EntryId>(i);
        EntryWidgets& widgets = m_entries[static_cast<std::size_t>(i)];
        connect(widgets.edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
            m_model->TypeText(id, text.toStdString());
            SyncText(id);
        });
        if (widgets.units != nullptr) {
            connect(widgets.units, &QComboBox::activated, this, [this, id](int index) {
                m_model->ChooseUnit(id, index);
                SyncUnits(id);
            });
        }
    }
    connect(m_profile, &QComboBox::activated, this, [this](int index) {
        m_model->ChooseProfile(static_cast<Profile>(index));
        SyncProfile();
    });
    connect(m_profileFactor, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model->TypeProfileFactor(text.toStdString());
        SyncProfile();
    });
    for (const auto& [id, button] : m_options) {
        connect(button, &QRadioButton::clicked, this, [this, option = id] {
            m_model->ClickOption(option);
            SyncOptions();
        });
    }
    connect(m_explore, &QPushButton::clicked, this, [this] { m_model->Explore(); });
    connect(m_reset, &QPushButton::clicked, this, [this] { m_model->ResetData(); });
    connect(m_print, &QPushButton::clicked, this, [this] { m_model->Print(); });
    connect(m_quit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_printAction, &QAction::triggered, this, [this] { m_model->Print(); });
    connect(m_saveChartAction, &QAction::triggered, this, [this] { m_model->SaveChart(*m_details); });
    connect(m_undoAction, &QAction::triggered, this, [this] { m_model->UndoReset(); });
    connect(m_copyAction, &QAction::triggered, this, [this] {
        QtClipboard clipboard;
        m_model->CopyResults(clipboard);
    });
    connect(m_grid, &ResultsView::rowPicked, this, [this](int row) { m_model->CellSelected(row); });
    connect(m_grid, &ResultsView::rowActivated, this, [this](int row) { m_model->CellActivated(row); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { AlignGridHeaders(); });
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterByUser = true; });
    // Keys for the buttons the menus do not hold; a key does what its button
    // does, and nothing while the button cannot be pressed.
    const auto shortcut = [this](const QKeySequence& keys, QAbstractButton* button) {
        connect(new QShortcut(keys, this), &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible()) {
                button->click();
            }
        });
        button->setToolTip(button->toolTip().isEmpty()
                               ? keys.toString(QKeySequence::NativeText)
                               : button->toolTip() + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
                                     QStringLiteral(")"));
    };
    shortcut(QKeySequence(Qt::Key_F5), m_explore);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_D), m_detailsToggle);
    for (const auto& [button, action] : {std::pair{static_cast<QAbstractButton*>(m_print), m_printAction},
                                         {m_quit, findChild<QAction*>(QStringLiteral("actQuit"))},
                                         {m_details->SaveButton(), m_saveChartAction}}) {
        button->setToolTip(button->toolTip().isEmpty() ? action->text().remove(QLatin1Char('&'))
                                                       : button->toolTip() + QStringLiteral(" (") +
                                                             action->shortcut().toString(QKeySequence::NativeText) +
                                                             QStringLiteral(")"));
    }
    // Enter explores from an entry, a unit list or an option; on a push button
    // it presses that button, as Space does.
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<QComboBox*>(widget) != nullptr ||
            qobject_cast<QAbstractButton*>(widget) != nullptr) {
            widget->installEventFilter(this);
        }
    }
}

// Reading order: options, entries with their unit lists, Explore, Reset Data,
// the grid with the details area under it, the document buttons, Print, Quit,
// the maker's picture.
void MainWindow::SetTabOrder() {
    std::vector<QWidget*> chain;
    for (const OptionId option : {OptionId::CW, OptionId::Pulsed, OptionId::Circular, OptionId::Rectangular,
                                  OptionId::Power, OptionId::PowerEnergy, OptionId::PowerMeter, OptionId::Probe}) {
        chain.push_back(m_options.at(option));
    }
    for (const EntryWidgets& widgets : m_entries) {
        chain.push_back(widgets.edit);
        if (widgets.units != nullptr) {
            chain.push_back(widgets.units);
        }
        if (&widgets == &m_entries[static_cast<std::size_t>(EntryId::Beam2)]) {
            chain.insert(chain.end(), {m_profile, m_profileFactor});
        }
    }
    chain.insert(chain.end(), {m_explore, m_reset, m_grid, m_detailsToggle, m_details->ChartView(),
                               m_details->SaveButton(), m_details->BarsList(), m_details->WhyNotList()});
    chain.insert(chain.end(), m_documentButtons.begin(), m_documentButtons.end());
    chain.insert(chain.end(), {m_print, m_quit, m_picture});
    for (std::size_t i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
}

// Every entry shows the longest number the program can write into it whole,
// in the entry's own font.
void MainWindow::SizeEntries() {
    const QString widest = ToQt(m_model->Numbers().WidestText());
    for (const EntryWidgets& widgets : m_entries) {
        const QFontMetrics metrics(widgets.edit->font());
        const QMargins margins = widgets.edit->textMargins();
        const int frame = widgets.edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widgets.edit);
        // The line edit keeps two pixels on each side of its text, and one more for the caret.
        widgets.edit->setMinimumWidth(metrics.horizontalAdvance(widest) + margins.left() + margins.right() + 2 * frame +
                                      2 * 2 + 1);
    }
}

void MainWindow::AlignGridHeaders() {
    m_headsHeader->setFixedWidth(m_grid->columnWidth(0) + m_grid->frameWidth());
}

void MainWindow::Reflow() {
    const int wanted = m_optionsRow->height() + m_sideHeight + m_detailsToggle->sizeHint().height() + kDetailsRoom;
    const bool beside = centralWidget()->height() >= wanted;
    const auto across = beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_resultsFlow->direction() == across) {
        return;
    }
    m_resultsFlow->setDirection(across);
    // Beside the grid: the monitors, the documents, Print and Quit, one over
    // the other. Under it: the monitors over Print and Quit, the documents
    // to their right.
    for (QWidget* part : {m_monitorsBox, m_documentsBox, m_printBox}) {
        m_sideGrid->removeWidget(part);
    }
    m_sideGrid->addWidget(m_monitorsBox, 0, 0, Qt::AlignTop);
    if (beside) {
        m_sideGrid->addWidget(m_documentsBox, 1, 0, Qt::AlignTop);
        m_sideGrid->addWidget(m_printBox, 2, 0, Qt::AlignTop);
        m_sideGrid->setRowStretch(1, 0);
        m_sideGrid->setRowStretch(3, 1);
    } else {
        m_sideGrid->addWidget(m_printBox, 1, 0, Qt::AlignTop);
        m_sideGrid->addWidget(m_documentsBox, 0, 1, 2, 1, Qt::AlignTop);
        m_sideGrid->setRowStretch(1, 1);
        m_sideGrid->setRowStretch(3, 0);
    }
}

void MainWindow::PlaceSplitter() {
    if (m_splitterByUser || !m_splitter->widget(1)->isVisibleTo(this)) {
        return;
    }
    const int room = m_splitter->height() - m_splitter->handleWidth();
    const bool beside = m_resultsFlow->direction() == QBoxLayout::LeftToRight;
    // Beside, the monitors and the documents are seen whole; under the
    // grid they scroll with it, and the details have two thirds.
    const int least = beside ? m_splitter->widget(0)->sizeHint().height() : room / 3;
    const int top = std::clamp(least, 0, std::max(room - kDetailsRoom, room / 3));
    m_splitter->setSizes({top, room - top});
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Reflow();
    PlaceSplitter();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return FilterKey(watched, static_cast<QKeyEvent*>(event)) || QMainWindow::eventFilter(watched, event);
        case QEvent::ShortcutOverride: {
            // Right after Reset Data an entry has nothing of its own to undo:
            // Ctrl+Z there brings the laser back.
            auto* edit = qobject_cast<QLineEdit*>(watched);
            const bool undo = static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo);
            if (undo && edit != nullptr && !edit->isUndoAvailable() && m_model->CanUndoReset()) {
                return true;
            }
            break;
        }
        case QEvent::FocusIn: {
            // Tab into an option frame lands on its chosen option.
            auto* option = qobject_cast<QRadioButton*>(watched);
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (option != nullptr && !option->isChecked() &&
                (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
                for (QRadioButton* sibling : option->parentWidget()->findChildren<QRadioButton*>()) {
                    if (sibling->isChecked()) {
                        sibling->setFocus(reason);
                        return true;
                    }
                }
            }
            break;
        }
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::FilterKey(QObject* watched, QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button != nullptr && qobject_cast<QRadioButton*>(watched) == nullptr) {
        button->click();
    } else {
        m_explore->click();
    }
    return true;
}

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
}

void MainWindow::DetailsChanged() {
    SyncDetails();
}

void MainWindow::FocusMoved() {
    if (m_model->ProfileFactorFocused()) {
        m_profileFactor->setFocus(Qt::OtherFocusReason);
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
        edit->setStyleSheet(warning.isEmpty() ? QString()
                                              : QStringLiteral("QLineEdit { border: 2px solid #D55E00; }"));
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

QSize MainWindow::sizeHint() const {
    // As much of the screen as there is: the room goes to the grid and the chart.
    if (const QScreen* shown = screen()) {
        const QMargins frame = FrameMargins();
        const QSize available = shown->availableGeometry().size() -
                                QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
        return available.expandedTo(minimumSizeHint());
    }
    return QMainWindow::sizeHint();
}

QMargins MainWindow::FrameMargins() const {
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    if (isVisible() && frame != inner) {
        return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                frame.bottom() - inner.bottom()};
    }
    return kAssumedFrame;
}

void MainWindow::FitTo(const QRect& available) {
    const QMargins frame = FrameMargins();
    const QRect inner = available.marginsRemoved(frame);
    resize(inner.size().expandedTo(minimumSizeHint()));
    move(available.topLeft());
    m_fittedTo = available;
    m_fitOnFrame = frame == kAssumedFrame;
}

// The real frame, once the window manager has drawn it, may differ from the
// one assumed: the window is fitted again with it.
void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (m_fitOnFrame && isVisible() && frameGeometry() != geometry()) {
        m_fitOnFrame = false;
        if (!m_fittedTo.contains(frameGeometry())) {
            FitTo(m_fittedTo);
            m_fitOnFrame = false;
        }
    }
}

bool MainWindow::RestoreLayout(const QSettings& settings) {
    m_splitterByUser = m_splitter->restoreState(settings.value(QStringLiteral("MainWindow/details")).toByteArray());
    return restoreGeometry(settings.value(QStringLiteral("MainWindow/geometry")).toByteArray());
}

void MainWindow::SaveLayout(QSettings& settings) const {
    settings.setValue(QStringLiteral("MainWindow/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("MainWindow/details"), m_splitter->saveState());
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
