#include "main_window.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "details_panel.h"
#include "qt_services.h"
#include "results_table_model.h"
#include "results_view.h"
#include "window_style.h"

namespace tavrin::ui {
namespace {

QStringList Items(const std::vector<std::string>& units) {
    QStringList items;
    for (const auto& unit : units) {
        items << ToQt(unit);
    }
    return items;
}

}  // namespace

MainWindow::MainWindow(MainWindowModel& model, QWidget* parent) : QWidget(parent), m_model(&model) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("CV-Tavrin"));
    setFont(Font(QStringLiteral("Tahoma"), 8.25, false));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SectionHeader("lblSelect", QStringLiteral("Select"), this));
    layout->addWidget(BuildOptions());

    // The entries, the grid and the commands over the details area, the user
    // dragging the boundary; each side scrolls where the window is too small
    // for it, so that the window fits a laptop's screen.
    auto* top = new QWidget;
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildEntries());
    left->addWidget(BuildDerivedValues());
    left->addStretch();
    body->addLayout(left);
    body->addWidget(BuildResults(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildMonitors());
    right->addWidget(BuildCommands());
    right->addStretch();
    body->addLayout(right);
    topLayout->addLayout(body, 1);
    topLayout->addWidget(BuildDetailsToggle(), 0, Qt::AlignLeft);
    m_details = new DetailsPanel(*m_model, this);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("splDetails"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(ScrollingPane("scrInputs", top));
    m_splitter->addWidget(ScrollingPane("scrDetails", m_details));
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    // Until the user drags the boundary, each side in proportion to what it holds.
    m_splitter->setSizes({top->sizeHint().height(), m_details->sizeHint().height()});
    layout->addWidget(m_splitter, 1);

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
    connect(m_maxShare, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model->TypeMaxShare(text.toStdString());
        SyncProfile();
    });
    connect(m_thresholdRule, &QComboBox::activated, this, [this](int index) {
        m_model->ChooseThresholdRule(static_cast<ThresholdRule>(index));
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
    connect(m_grid, &ResultsView::rowPicked, this, [this](int row) { m_model->CellSelected(row); });
    connect(m_grid, &ResultsView::rowActivated, this, [this](int row) { m_model->CellActivated(row); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { AlignGridHeaders(); });
    // The desktop's usual keys; a shortcut does what its button does, and nothing while the button is disabled.
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
    // Written out rather than taken from the platform's list, which on some
    // platforms has no key to quit.
    shortcut(QKeySequence(Qt::Key_F5), m_explore);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), m_print);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), m_quit);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_D), m_detailsToggle);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), m_details->SaveButton());
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
            chain.insert(chain.end(), {m_profile, m_profileFactor, m_maxShare, m_thresholdRule});
        }
    }
    chain.insert(chain.end(), {m_explore, m_reset, m_grid, m_detailsToggle, m_details->ChartView(),
                               m_details->SaveButton(), m_details->WhyNotList()});
    chain.insert(chain.end(), m_documentButtons.begin(), m_documentButtons.end());
    chain.insert(chain.end(), {m_print, m_quit, m_picture});
    for (std::size_t i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return QWidget::eventFilter(watched, event);
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
    m_labels.at(label)->setText(ToQt(m_model->Labels().Get(label)));
    SyncProfile();  // the peak line follows the densities
    if (label == LabelId::Power) {
        NameEntry(EntryId::MaxPower);
    }
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

// A screen reader announces an entry by its caption and unit ("Max Power, W").
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

void MainWindow::SyncText(EntryId id) {
    QLineEdit* edit = m_entries[static_cast<std::size_t>(id)].edit;
    const QString text = ToQt(m_model->State().Entry(id).Text);
    if (edit->text() != text) {
        edit->setText(text);  // puts the caret at the end
    }
}

void MainWindow::SyncUnits(EntryId id) {
    QComboBox* units = m_entries[static_cast<std::size_t>(id)].units;
    if (units == nullptr) {
        return;
    }
    const UnitEntry& entry = m_model->State().Entry(id);
    const QSignalBlocker blocker(units);
    const QStringList items = Items(entry.Units);
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
    }
}

void MainWindow::SyncAll() {
    for (int i = 0; i < kEntryCount; ++i) {
        SyncText(static_cast<EntryId>(i));
        SyncUnits(static_cast<EntryId>(i));
    }
    SyncFlags();
    SyncOptions();
    SyncProfile();
    for (const auto& [id, label] : m_labels) {
        label->setText(ToQt(m_model->Labels().Get(id)));
    }
    SyncGrid();
    AlignGridHeaders();
    m_print->setEnabled(m_model->PrintEnabled());
    SyncDetails();
}

}  // namespace tavrin::ui
