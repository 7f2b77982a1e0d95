#pragma once

#include <QSettings>

namespace tavrin::ui {

// The desktop program's settings: $XDG_CONFIG_HOME/cv-tavrin/cv-tavrin.conf.
// They keep the window's place and size, the last laser and the folder the
// last chart was saved to.
inline QSettings AppSettings() {
    return QSettings(QStringLiteral("cv-tavrin"), QStringLiteral("cv-tavrin"));
}

inline const QString kChartFolderKey = QStringLiteral("Charts/folder");

}  // namespace tavrin::ui
