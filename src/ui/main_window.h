#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <vector>

#include "form/main_window_model.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
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
class MainWindow final : public QWidget, private MainWindowView {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowModel& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Room for every control and the details area, within the screen.
    [[nodiscard]] QSize sizeHint() const override;
    // The window's place and size and the details area's height, between
    // runs; false when no place was kept.
    bool RestoreLayout(const QSettings& settings);
    void SaveLayout(QSettings& settings) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    QWidget* BuildCommands();
    QWidget* BuildDetailsToggle();
    void BuildLimitRules(QGridLayout* grid, int row);
    void AddEntryRow(QGridLayout* grid, int row, EntryId id, const char* captionName, const QString& caption,
                     const char* editName, const char* unitsName);
    QLabel* MakeLabel(LabelId id, const QString& caption, bool bordered);
    void Connect();
    void SetTabOrder();
    void SizeEntries();
    void AlignGridHeaders();

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
    void NameEntry(EntryId id);
    void SyncText(EntryId id);
    void SyncUnits(EntryId id);
    void SyncFlags();
    void SyncOptions();
    void SyncProfile();
    void SyncGrid();
    void SyncDetails();
    void SyncPickedRow();
    void SyncAll();

    MainWindowModel* m_model;
    std::array<EntryWidgets, kEntryCount> m_entries{};
    std::map<LabelId, QLabel*> m_labels;
    std::map<OptionId, QRadioButton*> m_options;
    QLabel* m_lengthMark = nullptr;
    QLabel* m_widthMark = nullptr;
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
};

}  // namespace tavrin::ui
