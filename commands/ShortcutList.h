#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CommandTable;

/// One line of the keyboard and mouse reference: the keys or gesture and what it does, both
/// as source texts to be shown through the translator ("Command" and "Shortcuts" contexts).
struct ShortcutEntry {
    QStringList keys; ///< key-sequence texts of a command, or one gesture
    QString what;
    const char* context = "Command"; ///< where `what` is translated
};

/// Every command of `table` with keys, menu by menu in the order they show there (those of no
/// menu last), then every mouse gesture of the waveform view.
std::vector<ShortcutEntry> ShortcutList(const CommandTable& table);
