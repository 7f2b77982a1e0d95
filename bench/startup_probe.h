#pragma once

#include <QElapsedTimer>
#include <QObject>

class QWidget;

namespace tavrin::ui {

// For measuring start-up: prints "launcher-painted" when the launcher is first
// painted, then presses "TAVRIN" and prints "main-painted MS" (the time from
// the press to the main window's first paint) and ends the run. Only the
// measuring program of the benchmarks has it; the shipped program has no such switch.
class StartupProbe final : public QObject {
    Q_OBJECT
public:
    explicit StartupProbe(QWidget& launcher);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PressTavrin();

    QWidget* m_launcher;
    QWidget* m_main = nullptr;
    QElapsedTimer m_sincePress;
};

}  // namespace tavrin::ui
