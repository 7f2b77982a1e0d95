#pragma once

#include <QLabel>

namespace tavrin::ui {

// Lines that wrap at the width they are given, as tall as that needs, without
// asking their layout for a height to each width: a scroll area would then
// hold the whole panel around them at its preferred height however much
// room it has. Hidden while there is nothing to say.
class WrappedNotes final : public QLabel {
public:
    explicit WrappedNotes(QWidget* parent = nullptr);

    void SetNotes(const QString& text);

    [[nodiscard]] bool hasHeightForWidth() const override { return false; }
    [[nodiscard]] QSize sizeHint() const override { return {0, minimumHeight()}; }
    [[nodiscard]] QSize minimumSizeHint() const override { return {0, minimumHeight()}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();
};

}  // namespace tavrin::ui
