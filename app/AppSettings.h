#pragma once

#include <QSettings>

/// The program's per-user settings: the recent files and what the dialogs remember.
inline QSettings AppSettings() {
    return QSettings(QStringLiteral("应用程序向导生成的本地应用程序"), QStringLiteral("tarn"));
}
