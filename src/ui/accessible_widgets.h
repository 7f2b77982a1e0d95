#pragma once

#include <QString>

class QLabel;

namespace tavrin::ui {

// How a screen reader hears the windows' widgets where Qt's own reading
// falls short; installed once, before the first window is made:
// - a label given an accessible name ("Area") reads that name, and its text
//   (or the value set below) as its value and description, so that the
//   reader says what it is and what it shows;
// - a drop-down list given an accessible name reads that name ("Wavelength
//   unit") and its chosen item as its value, where Qt on Linux would give the
//   item as the name;
// - the usage bars read as a list, one item per bar.
void InstallAccessibleWidgets();

// The value a screen reader reads for a named label ("50.3 mm²"), where it
// is more than the label's own text; the reader is told that it changed.
void SetAccessibleValue(QLabel* label, const QString& value);

}  // namespace tavrin::ui
