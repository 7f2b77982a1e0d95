#include "main_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "qt_services.h"
#include "results_table_model.h"
#include "version/version.h"

namespace tavrin::ui {
namespace {

QFont Font(const QString& family, double points, bool bold, QFont::StyleHint hint = QFont::SansSerif) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A dark red banner with a centred caption, as every section of the window has.
QLabel* SectionHeader(const char* name, const QString& caption, QWidget* parent) {
    auto* header = new QLabel(caption, parent);
    header->setObjectName(QString::fromLatin1(name));
    header->setAccessibleName(caption);
    header->setAlignment(Qt::AlignCenter);
    header->setFont(Font(QStringLiteral("Arial"), 12, true));
    header->setAutoFillBackground(true);
    header->setStyleSheet(
        QStringLiteral("QLabel { background-color: #800000; color: palette(highlighted-text); "
                       "padding: 2px; }"));
    return header;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

QStringList Items(const std::vector<std::string>& units) {
    QStringList items;
    for (const auto& unit : units) {
        items << ToQt(unit);
    }
    return items;
}

// The maker's mark: drawn here so that no picture file has to ship.
QPixmap MakerPicture() {
    QPixmap picture(120, 44);
    picture.fill(QColor(0x80, 0, 0));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.setFont(Font(QStringLiteral("Arial"), 13, true));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("CORVANE"));
    return picture;
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

QWidget* MainWindow::BuildOptions() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    struct Frame {
        const char* name;
        const char* caption;
        OptionId first;
        const char* firstName;
        const char* firstCaption;
        OptionId second;
        const char* secondName;
        const char* secondCaption;
    };
    const Frame frames[] = {
        {"fraLaser", "Laser", OptionId::CW, "optCW", "CW", OptionId::Pulsed, "optPulsed", "Pulsed"},
        {"fraBeam", "Beam Shape", OptionId::Circular, "optCircular", "Circular", OptionId::Rectangular,
         "optRectangular", "Rectangular"},
        {"fraMeasurement", "Measurement Type", OptionId::Power, "optPower", "Power Only", OptionId::PowerEnergy,
         "optPowerEnergy", "Power && Single Pulse Energy "},
        {"fraProduct", "Product Type", OptionId::PowerMeter, "optPowerMeter", "Power Meter", OptionId::Probe,
         "optProbe", "Probe"},
    };
    for (const Frame& frame : frames) {
        auto* box = new QGroupBox(QString::fromLatin1(frame.caption), row);
        box->setObjectName(QString::fromLatin1(frame.name));
        auto* boxLayout = new QVBoxLayout(box);
        for (const auto& [id, name, caption] : {std::tuple{frame.first, frame.firstName, frame.firstCaption},
                                                std::tuple{frame.second, frame.secondName, frame.secondCaption}}) {
            auto* option = new QRadioButton(QString::fromLatin1(caption), box);
            option->setObjectName(QString::fromLatin1(name));
            option->setAccessibleName(QString::fromLatin1(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
            boxLayout->addWidget(option);
            m_options[id] = option;
        }
        layout->addWidget(box);
    }
    return row;
}

void MainWindow::AddEntryRow(QGridLayout* grid, int row, EntryId id, const char* captionName, const QString& caption,
                             const char* editName, const char* unitsName) {
    EntryWidgets& widgets = m_entries[static_cast<std::size_t>(id)];
    widgets.caption = new QLabel(caption);
    widgets.caption->setObjectName(QString::fromLatin1(captionName));
    widgets.edit = new QLineEdit;
    widgets.edit->setObjectName(QString::fromLatin1(editName));
    widgets.edit->setAccessibleName(caption.trimmed());
    widgets.units = new QComboBox;
    widgets.units->setObjectName(QString::fromLatin1(unitsName));
    widgets.units->setAccessibleName(caption.trimmed() + QStringLiteral(" unit"));
    widgets.units->setEditable(false);
    widgets.units->setMinimumContentsLength(6);
    widgets.units->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    grid->addWidget(widgets.caption, row, 0);
    grid->addWidget(widgets.edit, row, 1, 1, 3);
    grid->addWidget(widgets.units, row, 4);
}

QWidget* MainWindow::BuildEntries() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SectionHeader("lblInfoBeam", QStringLiteral("Input Beam Parameters"), box));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    EntryWidgets& beam1 = m_entries[static_cast<std::size_t>(EntryId::Beam1)];
    EntryWidgets& beam2 = m_entries[static_cast<std::size_t>(EntryId::Beam2)];
    beam1.caption = MakeLabel(LabelId::Beam, QString(), false);
    beam1.caption->setObjectName(QStringLiteral("lblBeam"));
    m_lengthMark = new QLabel(QStringLiteral("L"), box);
    m_lengthMark->setObjectName(QStringLiteral("lblL"));
    beam1.edit = new QLineEdit(box);
    beam1.edit->setObjectName(QStringLiteral("txtBeam1"));
    beam1.edit->setAccessibleName(QStringLiteral("Beam diameter or length"));
    m_widthMark = new QLabel(QStringLiteral("W"), box);
    m_widthMark->setObjectName(QStringLiteral("lblW"));
    beam2.edit = new QLineEdit(box);
    beam2.edit->setObjectName(QStringLiteral("txtBeam2"));
    beam2.edit->setAccessibleName(QStringLiteral("Beam width"));
    auto* beamRow = new QHBoxLayout;
    beamRow->addWidget(m_lengthMark);
    beamRow->addWidget(beam1.edit);
    beamRow->addWidget(m_widthMark);
    beamRow->addWidget(beam2.edit);
    grid->addWidget(beam1.caption, 0, 0);
    grid->addLayout(beamRow, 0, 1, 1, 4);

    AddEntryRow(grid, 1, EntryId::WaveLength, "lblWaveLenght", QStringLiteral(" WaveLength"), "txtWaveLenght",
                "cboWavelenght");
    AddEntryRow(grid, 2, EntryId::MaxPower, "lblPower", QString(), "txtMaxPower", "cboMaxPower");
    m_labels[LabelId::Power] = m_entries[static_cast<std::size_t>(EntryId::MaxPower)].caption;
    m_entries[static_cast<std::size_t>(EntryId::MaxPower)].edit->setAccessibleName(QStringLiteral("Max Power"));
    AddEntryRow(grid, 3, EntryId::MaxEnergy, "lblMaxEnergy", QStringLiteral(" Max Energy"), "txtMaxEnergy",
                "cboMaxEnergy");
    AddEntryRow(grid, 4, EntryId::RepRate, "lblRepRate", QStringLiteral(" Rep Rate"), "txtRepRate", "cboRepRate");
    AddEntryRow(grid, 5, EntryId::PulseWidth, "lblPulseWidth", QStringLiteral(" Pulse Width"), "txtPulseWidth",
                "cboPulseWidth");

    auto* commands = new QHBoxLayout;
    m_explore = Button("cmdDettagli", QStringLiteral("Explore"), box);
    m_reset = Button("cmdNew", QStringLiteral("Reset Data"), box);
    commands->addWidget(m_explore);
    commands->addWidget(m_reset);
    layout->addLayout(commands);
    return box;
}

QLabel* MainWindow::MakeLabel(LabelId id, const QString& caption, bool bordered) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(LabelName(id)));
    label->setAccessibleName(QString::fromLatin1(LabelName(id)).mid(3));
    if (bordered) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setMinimumWidth(70);
    }
    m_labels[id] = label;
    return label;
}

QWidget* MainWindow::BuildDerivedValues() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SectionHeader("lblInfoLaser", QStringLiteral("Derived Beam Parameters"), box));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    struct Row {
        const char* name;
        const char* caption;
        LabelId value;
        LabelId unit;
    };
    const Row rows[] = {
        {"lblArea", kAreaCaption, LabelId::VArea, LabelId::MArea},
        {"lblAvrPower", kAvgPowerCaption, LabelId::VAvgPower, LabelId::MAvgPower},
        {"lblPowerDensity", kPowerDensityCaption, LabelId::VPowerDensity, LabelId::MPowerDensity},
        {"lblPeakPower", kPeakPowerCaption, LabelId::VPeakPower, LabelId::MPeakPower},
        {"lblPeakPowerDensity", kPeakPowerDensityCaption, LabelId::VPeakPowerDensity, LabelId::MPeakPowerDensity},
        {"lblEnergyDensity", kEnergyDensityCaption, LabelId::VEnergyDensity, LabelId::MEnergyDensity},
    };
    int row = 0;
    for (const Row& r : rows) {
        auto* caption = new QLabel(QString::fromLatin1(r.caption), box);
        caption->setObjectName(QString::fromLatin1(r.name));
        grid->addWidget(caption, row, 0);
        grid->addWidget(MakeLabel(r.value, QString(), true), row, 1);
        grid->addWidget(MakeLabel(r.unit, QString(), false), row, 2);
        ++row;
    }
    return box;
}

QWidget* MainWindow::BuildResults() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* headers = new QHBoxLayout;
    headers->addWidget(SectionHeader("lblAvailableHeads", QStringLiteral("Available  Heads"), box));
    headers->addWidget(SectionHeader("lblDamageThreshold", QStringLiteral("Damage Threshold"), box));
    layout->addLayout(headers);
    m_grid = new QTableView(box);
    m_grid->setObjectName(QStringLiteral("gridForm"));
    m_grid->setAccessibleName(QStringLiteral("Suitable heads"));
    m_gridModel = new ResultsTableModel(m_model->Grid(), m_grid);
    m_grid->setModel(m_gridModel);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->setMinimumWidth(257 + 2 * m_grid->frameWidth());
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid);
    return box;
}

QWidget* MainWindow::BuildMonitors() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        SectionHeader("lblResolution", QStringLiteral("Power/Energy Resolution  with Monitor (W/J)"), box));
    auto* grid = new QGridLayout;
    struct Monitor {
        const char* name;
        const char* caption;
        LabelId value;
    };
    const Monitor monitors[] = {
        {"lblArdo", "Ardo", LabelId::VArdo},  {"lblBrisa", "BRISA", LabelId::VBrisa},
        {"lblRVX", "RVX 300", LabelId::VRVX}, {"lblQDM", "QDM", LabelId::VQDM},
        {"lblSela", "Sela", LabelId::VSela},  {"lblVantic", "Vantic", LabelId::VVantic},
    };
    int index = 0;
    for (const Monitor& m : monitors) {
        auto* name = new QLabel(QString::fromLatin1(m.caption), box);
        name->setObjectName(QString::fromLatin1(m.name));
        name->setFont(Font(QStringLiteral("Arial"), 8.25, true));
        name->setStyleSheet(QStringLiteral("QLabel { color: #800000; }"));
        const int row = (index / 3) * 2;
        const int column = index % 3;
        grid->addWidget(name, row, column);
        grid->addWidget(MakeLabel(m.value, QString(), true), row + 1, column);
        ++index;
    }
    layout->addLayout(grid);
    return box;
}

QWidget* MainWindow::BuildCommands() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SectionHeader("Label1", QStringLiteral("Coating and Absorber Curves"), box));
    auto* curves = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        const auto document = static_cast<CurveDocument>(i);
        const CurveDocumentInfo& info = CurveDocumentOf(document);
        QPushButton* button = Button(info.buttonName, QString::fromLatin1(info.caption), box);
        curves->addWidget(button, i % 4, i / 4);
        connect(button, &QPushButton::clicked, this, [this, document] { m_model->OpenCurveDocument(document); });
    }
    layout->addLayout(curves);

    auto* bottom = new QGridLayout;
    m_print = Button("cmdStampa", QStringLiteral("Print"), box);
    m_print->setToolTip(QStringLiteral("Print"));
    m_quit = Button("cmdExit", QStringLiteral("Quit"), box);
    m_quit->setToolTip(QStringLiteral("Exit"));
    auto* version = new QLabel(QStringLiteral("CV-TAVRIN v%1").arg(QString::fromUtf8(kVersion)), box);
    version->setObjectName(QStringLiteral("lblVersione"));
    auto* picture = new QToolButton(box);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setAccessibleName(QStringLiteral("Corvane web site"));
    picture->setIcon(QIcon(MakerPicture()));
    picture->setIconSize(QSize(120, 44));
    picture->setAutoRaise(true);
    picture->setCursor(Qt::PointingHandCursor);
    connect(picture, &QToolButton::clicked, this, [this] { m_model->OpenWebSite(); });
    bottom->addWidget(m_print, 0, 0);
    bottom->addWidget(m_quit, 0, 1);
    bottom->addWidget(version, 1, 0);
    bottom->addWidget(picture, 1, 1);
    layout->addLayout(bottom);
    return box;
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
