// How the main window's widgets are made and laid out; main_window.cpp binds
// them to the model.
#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "beam/beam_profile.h"
#include "beam/derived_rows.h"
#include "main_window.h"
#include "qt_services.h"
#include "results_table_model.h"
#include "results_view.h"
#include "selection/monitors.h"
#include "selection/share_ceiling.h"
#include "version/version.h"
#include "window_style.h"

namespace tavrin::ui {

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
        // The pair side by side, which keeps the row low on a small screen.
        auto* boxLayout = new QHBoxLayout(box);
        boxLayout->setContentsMargins(6, 2, 6, 2);
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
    layout->addStretch();
    return row;
}

void MainWindow::AddEntryRow(QGridLayout* grid, int row, EntryId id, const char* captionName, const QString& caption,
                             const char* editName, const char* unitsName) {
    EntryWidgets& widgets = m_entries[static_cast<std::size_t>(id)];
    widgets.caption = new QLabel(caption);
    widgets.caption->setObjectName(QString::fromLatin1(captionName));
    widgets.edit = new QLineEdit;
    widgets.edit->setObjectName(QString::fromLatin1(editName));
    widgets.units = new QComboBox;
    widgets.units->setObjectName(QString::fromLatin1(unitsName));
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

    grid->setVerticalSpacing(4);
    EntryWidgets& beam1 = m_entries[static_cast<std::size_t>(EntryId::Beam1)];
    EntryWidgets& beam2 = m_entries[static_cast<std::size_t>(EntryId::Beam2)];
    beam1.caption = MakeLabel(LabelId::Beam, QString(), false, QString());
    beam1.caption->setObjectName(QStringLiteral("lblBeam"));
    m_lengthMark = new QLabel(QStringLiteral("L"), box);
    m_lengthMark->setObjectName(QStringLiteral("lblL"));
    beam1.edit = new QLineEdit(box);
    beam1.edit->setObjectName(QStringLiteral("txtBeam1"));
    m_widthMark = new QLabel(QStringLiteral("W"), box);
    m_widthMark->setObjectName(QStringLiteral("lblW"));
    beam2.edit = new QLineEdit(box);
    beam2.edit->setObjectName(QStringLiteral("txtBeam2"));
    // A rectangle's width takes a row of its own under its length, so that
    // choosing Rectangular does not widen the column.
    const int markWidth = std::max(m_lengthMark->sizeHint().width(), m_widthMark->sizeHint().width());
    for (const auto& [row, mark, edit] : {std::tuple{0, m_lengthMark, beam1.edit}, {1, m_widthMark, beam2.edit}}) {
        mark->setFixedWidth(markWidth);
        auto* side = new QHBoxLayout;
        side->addWidget(mark);
        side->addWidget(edit, 1);
        grid->addLayout(side, row, 1, 1, 3);
    }
    grid->addWidget(beam1.caption, 0, 0);

    // How the power is spread over the beam: the choice, and the measured
    // peak-to-mean factor beside it; the row is a layout of its own, open to
    // a further choice that belongs with the profile.
    auto* profileCaption = new QLabel(QStringLiteral(" Beam Profile"), box);
    profileCaption->setObjectName(QStringLiteral("lblProfile"));
    m_profile = new QComboBox(box);
    m_profile->setObjectName(QStringLiteral("cboProfile"));
    m_profile->addItems(
        {QStringLiteral("Uniform"), QStringLiteral("Gaussian (1/e\u00B2)"), QStringLiteral("Measured factor")});
    m_profile->setAccessibleName(QStringLiteral("Beam Profile"));
    profileCaption->setBuddy(m_profile);
    m_profileFactor = new QLineEdit(box);
    m_profileFactor->setObjectName(QStringLiteral("txtProfileFactor"));
    m_profileFactor->setAccessibleName(QStringLiteral("Peak-to-mean factor"));
    m_profileFactor->setPlaceholderText(QStringLiteral("peak / mean"));
    m_profileRow = new QHBoxLayout;
    m_profileRow->addWidget(m_profile, 1);
    m_profileRow->addWidget(m_profileFactor, 1);
    grid->addWidget(profileCaption, 2, 0);
    grid->addLayout(m_profileRow, 2, 1, 1, 4);
    BuildLimitRules(grid, 3);

    AddEntryRow(grid, 5, EntryId::WaveLength, "lblWaveLenght", QStringLiteral(" WaveLength"), "txtWaveLenght",
                "cboWavelenght");
    AddEntryRow(grid, 6, EntryId::MaxPower, "lblPower", QString(), "txtMaxPower", "cboMaxPower");
    m_labels[LabelId::Power] = m_entries[static_cast<std::size_t>(EntryId::MaxPower)].caption;
    AddEntryRow(grid, 7, EntryId::MaxEnergy, "lblMaxEnergy", QStringLiteral(" Max Energy"), "txtMaxEnergy",
                "cboMaxEnergy");
    AddEntryRow(grid, 8, EntryId::RepRate, "lblRepRate", QStringLiteral(" Rep Rate"), "txtRepRate", "cboRepRate");
    AddEntryRow(grid, 9, EntryId::PulseWidth, "lblPulseWidth", QStringLiteral(" Pulse Width"), "txtPulseWidth",
                "cboPulseWidth");
    m_entries[static_cast<std::size_t>(EntryId::PulseWidth)].edit->setToolTip(QString::fromUtf8(kPulseWidthAssumption));

    auto* commands = new QHBoxLayout;
    m_explore = Button("cmdDettagli", QStringLiteral("E&xplore"), box);
    m_reset = Button("cmdNew", QStringLiteral("&Reset Data"), box);
    commands->addWidget(m_explore);
    commands->addWidget(m_reset);
    layout->addLayout(commands);
    return box;
}

// Two rows under the profile: the ceiling on each limit's share, and how a
// threshold is read between the coating table's points.
void MainWindow::BuildLimitRules(QGridLayout* grid, int row) {
    auto* shareCaption = new QLabel(QStringLiteral(" ") + QString::fromUtf8(kShareCeilingCaption), this);
    shareCaption->setObjectName(QStringLiteral("lblMaxShare"));
    m_maxShare = new QLineEdit(this);
    m_maxShare->setObjectName(QStringLiteral("txtMaxShare"));
    m_maxShare->setPlaceholderText(QStringLiteral("100"));
    m_maxShare->setAccessibleName(QString::fromUtf8(kShareCeilingCaption) + QStringLiteral(", ") +
                                  QString::fromUtf8(kShareCeilingUnit));
    m_maxShare->setToolTip(
        QStringLiteral("Keep a head only when the laser uses at most this share of each of its limits: power, power "
                       "density, energy, aperture and damage threshold. Empty: 100 %."));
    shareCaption->setBuddy(m_maxShare);
    auto* shareUnit = new QLabel(QString::fromUtf8(kShareCeilingUnit), this);
    shareUnit->setObjectName(QStringLiteral("lblMaxShareUnit"));
    grid->addWidget(shareCaption, row, 0);
    grid->addWidget(m_maxShare, row, 1, 1, 2);
    grid->addWidget(shareUnit, row, 3, 1, 2);

    auto* ruleCaption = new QLabel(QStringLiteral(" ") + QString::fromUtf8(kThresholdRuleCaption), this);
    ruleCaption->setObjectName(QStringLiteral("lblThresholdRule"));
    m_thresholdRule = new QComboBox(this);
    m_thresholdRule->setObjectName(QStringLiteral("cboThresholdRule"));
    // In the rules' order: the chosen item's index is the rule.
    m_thresholdRule->addItems({QString::fromUtf8(ThresholdRuleName(ThresholdRule::AsListed)),
                               QString::fromUtf8(ThresholdRuleName(ThresholdRule::Conservative))});
    m_thresholdRule->setAccessibleName(QString::fromUtf8(kThresholdRuleCaption));
    m_thresholdRule->setToolTip(
        QStringLiteral("As listed: straight lines between the coating table's points, the 100 ps value held down to "
                       "10 ps. Conservative: never above the power law through the neighbouring points."));
    ruleCaption->setBuddy(m_thresholdRule);
    grid->addWidget(ruleCaption, row + 1, 0, 1, 3);
    grid->addWidget(m_thresholdRule, row + 1, 3, 1, 2);
}

// `name`: what a screen reader calls it ("Area"); none for a caption.
QLabel* MainWindow::MakeLabel(LabelId id, const QString& caption, bool bordered, const QString& name) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(LabelName(id)));
    label->setAccessibleName(name);
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
    int row = 0;
    grid->setVerticalSpacing(4);
    for (const DerivedRow& r : kDerivedRows) {
        const QString text = QString::fromLatin1(r.caption);
        auto* caption = new QLabel(text, box);
        caption->setObjectName(QString::fromLatin1(r.nameLabel));
        grid->addWidget(caption, row, 0);
        // Read as "Area, 50.3 mm²": the value label carries the unit for the reader.
        grid->addWidget(MakeLabel(r.value, QString(), true, text.trimmed()), row, 1);
        grid->addWidget(MakeLabel(r.unit, QString(), false, text.trimmed() + QStringLiteral(" unit")), row, 2);
        ++row;
    }
    // The centre of a beam that is not flat sees more than the means above.
    m_peakLine = new QLabel(box);
    m_peakLine->setObjectName(QStringLiteral("lblPeakLine"));
    m_peakLine->setVisible(false);
    layout->addWidget(m_peakLine);
    return box;
}

// The grid, with the monitors and the documents beside or under it (Reflow),
// and the details' switch below.
QWidget* MainWindow::BuildResults() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* gridBox = new QWidget(area);
    auto* gridLayout = new QVBoxLayout(gridBox);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    // The two banners stand over the grid's two columns.
    auto* headers = new QHBoxLayout;
    headers->setSpacing(0);
    m_headsHeader = SectionHeader("lblAvailableHeads", QStringLiteral("Available  Heads"), gridBox);
    headers->addWidget(m_headsHeader);
    headers->addWidget(SectionHeader("lblDamageThreshold", QStringLiteral("Damage Threshold"), gridBox), 1);
    gridLayout->addLayout(headers);
    m_grid = new ResultsView(gridBox);
    m_grid->setObjectName(QStringLiteral("gridForm"));
    m_grid->setAccessibleName(QStringLiteral("Suitable heads"));
    m_gridModel = new ResultsTableModel(m_model->Grid(), m_grid);
    m_grid->setModel(m_gridModel);
    m_grid->setMinimumWidth(257 + 2 * m_grid->frameWidth());
    gridLayout->addWidget(m_grid, 1);

    auto* side = new QWidget(area);
    side->setObjectName(QStringLiteral("fraMonitorsAndDocuments"));
    m_sideGrid = new QGridLayout(side);
    m_sideGrid->setContentsMargins(0, 0, 0, 0);
    m_monitorsBox = BuildMonitors();
    m_documentsBox = BuildDocuments();
    m_printBox = BuildPrintAndQuit();
    for (QWidget* part : {m_monitorsBox, m_documentsBox, m_printBox}) {
        part->setParent(side);
        m_sideGrid->addWidget(part, m_sideGrid->count(), 0, Qt::AlignTop);
    }
    m_sideGrid->setRowStretch(3, 1);
    m_sideHeight = side->sizeHint().height();
    m_resultsFlow = new QBoxLayout(QBoxLayout::LeftToRight);
    m_resultsFlow->addWidget(gridBox, 1);
    m_resultsFlow->addWidget(side);
    layout->addLayout(m_resultsFlow, 1);
    layout->addWidget(BuildDetailsToggle(), 0, Qt::AlignLeft);
    return area;
}

QWidget* MainWindow::BuildMonitors() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    // The longest banner wraps rather than widen the window beyond a laptop's screen.
    QLabel* banner = SectionHeader("lblResolution", QStringLiteral("Power/Energy Resolution  with Monitor (W/J)"), box);
    banner->setWordWrap(true);
    layout->addWidget(banner);
    auto* grid = new QGridLayout;
    int index = 0;
    for (const Monitor& m : kMonitors) {
        auto* name = new QLabel(QString::fromLatin1(m.windowName), box);
        name->setObjectName(QString::fromLatin1(m.nameLabel));
        name->setFont(Font(QStringLiteral("Arial"), 8.25, true));
        name->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(QColor(kMakerRed).name()));
        const int row = (index / 3) * 2;
        const int column = index % 3;
        grid->addWidget(name, row, column);
        grid->addWidget(
            MakeLabel(m.valueLabel, QString(), true, QString::fromLatin1(m.windowName) + QStringLiteral(" resolution")),
            row + 1, column);
        ++index;
    }
    layout->addLayout(grid);
    return box;
}

// The eight documents in two columns of four.
QWidget* MainWindow::BuildDocuments() {
    auto* documents = new QWidget(this);
    auto* documentsLayout = new QVBoxLayout(documents);
    documentsLayout->setContentsMargins(0, 0, 0, 0);
    documentsLayout->addWidget(SectionHeader("Label1", QStringLiteral("Coating and Absorber Curves"), documents));
    auto* curves = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        const auto document = static_cast<CurveDocument>(i);
        const CurveDocumentInfo& info = CurveDocumentOf(document);
        QPushButton* button = Button(info.buttonName, QString::fromLatin1(info.caption), documents);
        m_documentButtons.push_back(button);
        curves->addWidget(button, i % 4, i / 4);
        connect(button, &QPushButton::clicked, this, [this, document] { m_model->OpenCurveDocument(document); });
    }
    documentsLayout->addLayout(curves);
    return documents;
}

// Print and Quit, with the version and the maker's picture under them.
QWidget* MainWindow::BuildPrintAndQuit() {
    auto* last = new QWidget(this);
    auto* bottom = new QGridLayout(last);
    bottom->setContentsMargins(0, 0, 0, 0);
    m_print = Button("cmdStampa", QStringLiteral("&Print"), last);
    m_print->setToolTip(QStringLiteral("Print"));
    m_quit = Button("cmdExit", QStringLiteral("&Quit"), last);
    m_quit->setToolTip(QStringLiteral("Exit"));
    auto* version = new QLabel(QStringLiteral("CV-TAVRIN v%1").arg(QString::fromUtf8(kVersion)), last);
    version->setObjectName(QStringLiteral("lblVersione"));
    auto* picture = new QToolButton(last);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setAccessibleName(QStringLiteral("Corvane web site"));
    picture->setIcon(QIcon(MakerPicture()));
    picture->setIconSize(QSize(120, 44));
    picture->setAutoRaise(true);
    picture->setCursor(Qt::PointingHandCursor);
    connect(picture, &QToolButton::clicked, this, [this] { m_model->OpenWebSite(); });
    m_picture = picture;
    bottom->addWidget(m_print, 0, 0);
    bottom->addWidget(m_quit, 0, 1);
    bottom->addWidget(version, 1, 0);
    bottom->addWidget(picture, 1, 1);
    return last;
}

// The switch that shows or hides the details area, under the grid.
QWidget* MainWindow::BuildDetailsToggle() {
    auto* toggle = new QToolButton(this);
    toggle->setObjectName(QStringLiteral("cmdDetails"));
    toggle->setText(QStringLiteral("&Details: why each head fits or not"));
    toggle->setAccessibleName(QStringLiteral("Details"));
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setArrowType(Qt::RightArrow);
    toggle->setCheckable(true);
    toggle->setAutoRaise(true);
    connect(toggle, &QToolButton::toggled, this, [this](bool shown) { m_model->ShowDetails(shown); });
    m_detailsToggle = toggle;
    return toggle;
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

}  // namespace tavrin::ui
