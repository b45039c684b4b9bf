#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

/// One file in a zip package: the bytes of `file`, or `bytes` when `file` is empty.
struct ZipEntry {
    QString name;
    QString file;
    QByteArray bytes;
    /// Deflated; otherwise stored as they are (sounds and pictures are compressed already).
    bool deflate = true;
};

/// Writes `entries` as the zip at `path`, which is replaced only once the zip is complete.
/// False with `reason` when a file cannot be read or the zip cannot be written; the old file
/// at `path` then stays as it was and nothing else is left behind.
bool WriteZipPackage(const QString& path, const std::vector<ZipEntry>& entries, QString& reason);
