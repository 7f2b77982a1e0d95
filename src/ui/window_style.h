#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace tavrin::ui {

// The look the windows share: the maker's dark red, the fonts, the section
// banners, the buttons and the pictures drawn in code (no picture file ships).
inline constexpr QRgb kMakerRed = 0x800000;

QFont Font(const QString& family, double points, bool bold, QFont::StyleHint hint = QFont::SansSerif);

// A dark red banner with a centred caption, as every section of the main window has.
QLabel* SectionHeader(const char* name, const QString& caption, QWidget* parent);

// A push button named for tests and screen readers (its caption without the
// "&" that marks its Alt key); Enter on the window does not press it unless
// it has the focus.
QPushButton* Button(const char* name, const QString& caption, QWidget* parent);

// A frameless scroll area around `content` that asks for room for all of it
// but lets the window shrink below that, scrolling up and down. It is never
// narrower than the content's least width, so it never scrolls sideways;
// `OfContent`: nor wider than the content asks.
enum class PaneWidth { Shared, OfContent };
QWidget* ScrollingPane(const char* name, QWidget* content, PaneWidth width = PaneWidth::Shared);

// The launcher's large coloured buttons.
QPushButton* LauncherButton(const char* name, const QString& caption, const QString& colour, QWidget* parent);

// The maker's mark, and a detector head seen from the front.
QPixmap MakerPicture();
QPixmap HeadPicture();

}  // namespace tavrin::ui
