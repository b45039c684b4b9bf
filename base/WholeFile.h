#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

/// Replaces the file at `path` with what `write` puts into the device, whole or not at all:
/// the bytes go to a temporary file beside it, which takes the old file's place only when
/// every byte has reached the disk. `write` returns false to give up (a short write, or a
/// reason of its own). On failure the old file stays as it was and `reason`, when given, says
/// why in the system's words ("No space left on device").
bool WriteWholeFile(const QString& path, const std::function<bool(QIODevice&)>& write,
                    QString* reason = nullptr);

/// WriteWholeFile of `bytes`.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
