#include "main_window.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "qt_services.h"
#include "results_table_model.h"
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

    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildEntries());
    left->addWidget(BuildDerivedValues());
    left->addStretch();
    body->addLayout(left);
    body->addWidget(BuildResults());
    auto* right = new QVBoxLayout;
    right->addWidget(BuildMonitors());
    right->addWidget(BuildCommands());
    right->addStretch();
    body->addLayout(right);
    layout->addLayout(body);

    Connect();
    SyncAll();
    m_model->SetChangeListener([this](const ControlChange& change) { OnModelChanged(change); });
}

MainWindow::~MainWindow() {
    m_model->SetChangeListener(nullptr);
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
    connect(m_grid, &QTableView::clicked, this,
            [this](const QModelIndex& index) { m_model->CellSelected(index.row() + 1); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    m_model->CellSelected(current.row() + 1);
                }
            });
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { m_model->CellActivated(index.row() + 1); });
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, m_explore, &QPushButton::click);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                ActivateCurrentRow();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::ActivateCurrentRow() {
    const QModelIndex current = m_grid->currentIndex();
    if (current.isValid()) {
        m_model->CellActivated(current.row() + 1);
    }
}

void MainWindow::OnModelChanged(const ControlChange& change) {
    switch (change.kind) {
        case ControlKind::EntryText:
            SyncText(static_cast<EntryId>(change.index));
            break;
        case ControlKind::EntryUnits:
            SyncUnits(static_cast<EntryId>(change.index));
            break;
        case ControlKind::EntryFlags:
            SyncFlags();
            break;
        case ControlKind::Label: {
            const auto id = static_cast<LabelId>(change.index);
            m_labels.at(id)->setText(ToQt(m_model->Labels().Get(id)));
            break;
        }
        case ControlKind::Options:
            SyncOptions();
            break;
        case ControlKind::Grid:
            SyncGrid();
            break;
        case ControlKind::PrintButton:
            m_print->setEnabled(m_model->PrintEnabled());
            break;
        case ControlKind::Focus:
            if (const auto focus = m_model->Focus()) {
                m_entries[static_cast<std::size_t>(*focus)].edit->setFocus(Qt::OtherFocusReason);
            }
            break;
    }
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

void MainWindow::SyncGrid() {
    m_gridModel->Refresh();
    for (int column = 0; column < m_gridModel->columnCount(); ++column) {
        const int width = m_model->Grid().ColumnWidth(m_gridModel->GridColumn(column));
        if (width != ResultsGrid::kNoWidth) {
            m_grid->setColumnWidth(column, width);
        }
    }
}

void MainWindow::SyncAll() {
    for (int i = 0; i < kEntryCount; ++i) {
        SyncText(static_cast<EntryId>(i));
        SyncUnits(static_cast<EntryId>(i));
    }
    SyncFlags();
    SyncOptions();
    for (const auto& [id, label] : m_labels) {
        label->setText(ToQt(m_model->Labels().Get(id)));
    }
    SyncGrid();
    m_print->setEnabled(m_model->PrintEnabled());
}

}  // namespace tavrin::ui
