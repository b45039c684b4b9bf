#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/// The lines of a text file, without their line ends (CR LF or LF; a last line without an
/// end counts). UTF-8 with or without a byte-order mark and UTF-16LE with its mark are
/// decoded; invalid bytes become U+FFFD. Nothing when the file cannot be read.
std::optional<QStringList> ReadTextLines(const QString& path);

/// Splits decoded text into lines as ReadTextLines does.
QStringList SplitTextLines(const QString& text);

/// Writes `text` as UTF-8 with a byte-order mark, every LF stored as CR LF. The old file is
/// replaced only when the new one is complete. Returns false when it cannot be written.
bool WriteTextFile(const QString& path, const QString& text);
