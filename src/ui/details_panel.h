#pragma once

#include <QWidget>

#include "form/chart_files.h"
#include "form/main_window_model.h"

class QLabel;
class QPushButton;
class QTableView;

namespace tavrin::ui {

class ChartView;
class ResultsView;
class UsageBars;
class WhyNotTableModel;
class WrappedNotes;

// The main window's details area: the picked head's chart (at least half
// of the area) and usage bars, the "Why not?" list of the heads the last
// Explore rejected. It draws what
// the model's details area holds and forwards picks, sorts and saving.
class DetailsPanel final : public QWidget, public ChartFiles {
    Q_OBJECT
public:
    explicit DetailsPanel(MainWindowModel& model, QWidget* parent = nullptr);

    // Draws the model's details again.
    void Sync();

    [[nodiscard]] QSize sizeHint() const override;

    // ChartFiles: a save dialog that opens in the folder last saved to, and
    // the chart drawn into PNG (1600 x 1000 pixels), SVG or PDF (an A5 page,
    // landscape), its legend whole under it.
    std::optional<ChosenChartFile> ChooseChartFile(const std::string& suggestedName) override;
    std::optional<std::string> RenderChart(ChartFormat format) override;

    // The chart as drawn, and the widget it is drawn in.
    [[nodiscard]] const DetailsChart& Chart() const;
    [[nodiscard]] QWidget* ChartWidget() const;
    [[nodiscard]] QPushButton* SaveButton() const { return m_save; }
    [[nodiscard]] QTableView* WhyNotList() const;
    [[nodiscard]] UsageBars* BarsList() const { return m_bars; }
    [[nodiscard]] const UsageBars* Bars() const { return m_bars; }

private:
    QWidget* BuildChart();
    QWidget* BuildBars();
    QWidget* BuildWhyNot();

    MainWindowModel* m_model;
    ChartView* m_chartView = nullptr;
    UsageBars* m_bars = nullptr;
    QPushButton* m_save = nullptr;
    ResultsView* m_whyNot = nullptr;
    WhyNotTableModel* m_whyNotRows = nullptr;
    WrappedNotes* m_notes = nullptr;  // what the picked head's numbers assume
    QString m_title;                  // the chart's title as the model wrote it
};

}  // namespace tavrin::ui
