#pragma once

#include <QSettings>

/// The program's per-user settings (~/.config/tarn/tarn.conf): the recent files and what the
/// dialogs and the window remember.
inline QSettings AppSettings() {
    return QSettings(QStringLiteral("tarn"), QStringLiteral("tarn"));
}

/// Takes over, once, what earlier versions kept under their old organization name: every
/// setting (the recent files among them) and the recovery records of their old folder. Later
/// starts, and a first start without an old place, change nothing.
void TakeOverOldSettings();
