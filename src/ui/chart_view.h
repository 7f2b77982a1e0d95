#pragma once

#include <QWidget>

#include "form/details_area.h"

namespace tavrin::ui {

// The details area's chart on the screen: the chart the model laid out,
// drawn by the one painter the saved files and the reports use too.
class ChartView final : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    void SetChart(DetailsChart chart);
    [[nodiscard]] const DetailsChart& Chart() const { return m_chart; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DetailsChart m_chart;
};

}  // namespace tavrin::ui
