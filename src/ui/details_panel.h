#pragma once

#include <QWidget>

#include "form/chart_files.h"
#include "form/main_window_model.h"

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QTableView;

namespace tavrin::ui {

class UsageBars;
class WhyNotTableModel;
class WrappedNotes;

// The main window's details area: the picked head's chart and usage bars,
// the "Why not?" list of the heads the last Explore rejected. It draws what
// the model's details area holds and forwards picks, sorts and saving.
class DetailsPanel final : public QWidget, public ChartFiles {
    Q_OBJECT
public:
    explicit DetailsPanel(MainWindowModel& model, QWidget* parent = nullptr);

    // Draws the model's details again.
    void Sync();

    [[nodiscard]] QSize sizeHint() const override;

    // ChartFiles: a save dialog, and the chart drawn into PNG, SVG or PDF.
    std::optional<ChosenChartFile> ChooseChartFile(const std::string& suggestedName) override;
    std::optional<std::string> RenderChart(ChartFormat format) override;

    [[nodiscard]] QChart* Chart() const;
    [[nodiscard]] QChartView* ChartView() const { return m_chartView; }
    [[nodiscard]] QPushButton* SaveButton() const { return m_save; }
    [[nodiscard]] QTableView* WhyNotList() const { return m_whyNot; }
    [[nodiscard]] const UsageBars* Bars() const { return m_bars; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildChart();
    QWidget* BuildBars();
    QWidget* BuildWhyNot();
    void DrawChart(const DetailsChart& chart);
    static void DrawThreshold(const DetailsChart& chart, QChart* target);
    static void DrawBars(const DetailsChart& chart, QChart* target);

    MainWindowModel* m_model;
    QChartView* m_chartView = nullptr;
    UsageBars* m_bars = nullptr;
    QPushButton* m_save = nullptr;
    QTableView* m_whyNot = nullptr;
    WhyNotTableModel* m_whyNotRows = nullptr;
    WrappedNotes* m_notes = nullptr;  // what the picked head's numbers assume
    QString m_title;                  // the chart's title as the model wrote it
};

}  // namespace tavrin::ui
