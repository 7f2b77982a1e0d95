#include "main_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
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
    connect(m_printAction, &QAction::triggered, this, [this] { m_model->Print(); });
    connect(m_saveChartAction, &QAction::triggered, this, [this] { m_model->SaveChart(*m_details); });
    connect(m_savePdfAction, &QAction::triggered, this, [this] { m_model->SaveReportPdf(m_reportFiles); });
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
        button->setToolTip(button->toolTip().isEmpty()
                               ? action->text().remove(QLatin1Char('&'))
                               : button->toolTip() + QStringLiteral(" (") +
                                     action->shortcut().toString(QKeySequence::NativeText) + QStringLiteral(")"));
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
            chain.insert(chain.end(), {m_profile, m_profileFactor, m_maxShare, m_thresholdRule});
        }
    }
    chain.insert(chain.end(), {m_explore, m_reset, m_grid, m_detailsToggle, m_details->ChartWidget(),
                               m_details->SaveButton(), m_details->BarsList(), m_details->WhyNotList()});
    chain.insert(chain.end(), m_documentButtons.begin(), m_documentButtons.end());
    chain.insert(chain.end(), {m_print, m_quit, m_picture});
    for (std::size_t i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
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

}  // namespace tavrin::ui
