#pragma once

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace tavrin::ui {

// One entry of a chart's legend: how its series is drawn, and its text.
struct LegendEntry {
    enum class Mark { Line, Square, Circle, Bar };
    Mark mark = Mark::Line;
    QPen pen;
    QBrush brush;
    QString text;
};

// The entries laid out in lines across `width`: each after the last while it
// fits, on a new line when it does not, its text wrapped when it is wider
// than a whole line; nothing is ever cut short. The rectangle of each entry,
// from the top left corner.
std::vector<QRect> LayOutLegend(const std::vector<LegendEntry>& entries, const QFont& font, int width);
// The height the entries take across `width`.
int LegendHeight(const std::vector<LegendEntry>& entries, const QFont& font, int width);
void PaintLegend(QPainter& painter, const QRect& area, const std::vector<LegendEntry>& entries, const QFont& font);

// The legend under the chart on the screen, as high as its lines need.
class ChartLegend final : public QWidget {
    Q_OBJECT
public:
    explicit ChartLegend(QWidget* parent = nullptr);
    void SetEntries(std::vector<LegendEntry> entries);
    [[nodiscard]] const std::vector<LegendEntry>& Entries() const { return m_entries; }

    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<LegendEntry> m_entries;
};

}  // namespace tavrin::ui
