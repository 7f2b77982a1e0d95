#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <vector>

#include "form/main_window_model.h"
#include "report_export.h"

class QAction;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSettings;
class QSplitter;
class QToolButton;

namespace tavrin::ui {

class DetailsPanel;
class ResultsTableModel;
class ResultsView;

// The main window ("frmMain"): mirrors the model's controls and forwards what
// the user does to it; it computes nothing itself.
class MainWindow final : public QMainWindow, private MainWindowView {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Room for every control and the details area, within the screen.
    [[nodiscard]] QSize sizeHint() const override;
    // Takes the whole of `available` (a screen's area less its panels), its
    // frame included, and lays itself out for that size.
    void FitTo(const QRect& available);
    // The window manager's frame around the window: as the window manager
    // reports it once the window is shown, or as most desktops draw it.
    [[nodiscard]] QMargins FrameMargins() const;
    // The window's place and size and the details area's height, between
    // runs; false when no place was kept.
    bool RestoreLayout(const QSettings& settings);
    void SaveLayout(QSettings& settings) const;

    // The File menu, for commands that write or print.
    [[nodiscard]] QMenu* FileMenu() const { return m_fileMenu; }
    // The row of the beam profile's controls, where a choice that belongs
    // with the profile goes.
    [[nodiscard]] QHBoxLayout* ProfileRow() const { return m_profileRow; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    struct EntryWidgets {
        QLabel* caption = nullptr;
        QLineEdit* edit = nullptr;
        QComboBox* units = nullptr;
    };

    QWidget* BuildOptions();
    QWidget* BuildEntries();
    QWidget* BuildDerivedValues();
    QWidget* BuildResults();
    QWidget* BuildMonitors();
    QWidget* BuildDocuments();
    QWidget* BuildPrintAndQuit();
    QWidget* BuildDetailsToggle();
    void BuildLimitRules(QGridLayout* grid, int row);
    void BuildMenus();
    void AddEntryRow(QGridLayout* grid, int row, EntryId id, const char* captionName, const QString& caption,
                     const char* editName, const char* unitsName);
    QLabel* MakeLabel(LabelId id, const QString& caption, bool bordered, const QString& name);
    void Connect();
    void SetTabOrder();
    void SizeEntries();
    void AlignGridHeaders();
    // Three columns where the window is tall enough for the monitors and the
    // documents beside the grid, else those under the grid in a row.
    void Reflow();
    // Until the user drags it, the boundary over the details gives the grid
    // (with the monitors beside it) its room and the details the rest.
    void PlaceSplitter();
    bool FilterKey(QObject* watched, QKeyEvent* event);

    // MainWindowView: the model's changes, mirrored control by control.
    void EntryTextChanged(EntryId entry) override;
    void EntryUnitsChanged(EntryId entry) override;
    void EntryFlagsChanged() override;
    void LabelChanged(LabelId label) override;
    void OptionsChanged() override;
    void ProfileChanged() override;
    void GridChanged() override;
    void PrintButtonChanged() override;
    void DetailsChanged() override;
    void FocusMoved() override;
    void UndoChanged() override;
    void StatusChanged() override;
    void NameEntry(EntryId id);
    void SyncText(EntryId id);
    void SyncUnits(EntryId id);
    void SyncFlags();
    void SyncOptions();
    void SyncProfile();
    void SyncGrid();
    void SyncDetails();
    void SyncPickedRow();
    void SyncLabel(LabelId label);
    void SyncAll();

    MainWindowModel* m_model;
    std::array<EntryWidgets, kEntryCount> m_entries{};
    std::map<LabelId, QLabel*> m_labels;
    std::map<OptionId, QRadioButton*> m_options;
    QLabel* m_lengthMark = nullptr;
    QLabel* m_widthMark = nullptr;
    QHBoxLayout* m_profileRow = nullptr;
    QComboBox* m_profile = nullptr;
    QLineEdit* m_profileFactor = nullptr;
    QLineEdit* m_maxShare = nullptr;
    QComboBox* m_thresholdRule = nullptr;
    QLabel* m_peakLine = nullptr;
    ResultsView* m_grid = nullptr;
    QLabel* m_headsHeader = nullptr;
    ResultsTableModel* m_gridModel = nullptr;
    QPushButton* m_explore = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_quit = nullptr;
    QWidget* m_picture = nullptr;
    std::vector<QPushButton*> m_documentButtons;
    QToolButton* m_detailsToggle = nullptr;
    DetailsPanel* m_details = nullptr;
    QSplitter* m_splitter = nullptr;
    QBoxLayout* m_resultsFlow = nullptr;  // the grid and the monitors with the documents
    QGridLayout* m_sideGrid = nullptr;    // the monitors, the documents and Print, Quit
    QWidget* m_monitorsBox = nullptr;
    QWidget* m_documentsBox = nullptr;
    QWidget* m_printBox = nullptr;
    QWidget* m_optionsRow = nullptr;
    int m_sideHeight = 0;  // the monitors over the documents
    QMenu* m_fileMenu = nullptr;
    QAction* m_saveChartAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_savePdfAction = nullptr;
    ReportExport m_reportFiles{this};
    QAction* m_undoAction = nullptr;
    QAction* m_copyAction = nullptr;
    bool m_splitterByUser = false;
    bool m_fitOnFrame = false;  // refit once the window manager tells its frame
    QRect m_fittedTo;
};

}  // namespace tavrin::ui
