#include "wrapped_notes.h"

#include <algorithm>

namespace tavrin::ui {

WrappedNotes::WrappedNotes(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setVisible(false);
}

void WrappedNotes::SetNotes(const QString& text) {
    setText(text);
    setVisible(!text.isEmpty());
    Fit();
}

void WrappedNotes::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

// From the font, not heightForWidth, which never returns less than the
// minimum height already set.
void WrappedNotes::Fit() {
    int height = 0;
    if (!text().isEmpty()) {
        const QMargins margins = contentsMargins();
        const int lineWidth = std::max(width(), 100) - margins.left() - margins.right() - 2 * margin();
        height = fontMetrics().boundingRect(QRect(0, 0, lineWidth, 1 << 20), Qt::TextWordWrap, text()).height() +
                 margins.top() + margins.bottom() + 2 * margin() + 2;
    }
    if (height != minimumHeight()) {
        setMinimumHeight(height);
    }
}

}  // namespace tavrin::ui
