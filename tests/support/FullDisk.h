#pragma once

#include <QString>
#include <QtGlobal>

#include <sys/resource.h>

/// Makes the writes into one folder fail as on a full disk, by the first way the system
/// allows: a small tmpfs mounted over the folder and filled up (where the process may
/// mount), else a file-size limit on the process (RLIMIT_FSIZE, with SIGXFSZ ignored, so a
/// write past it fails with EFBIG instead of ending the process). Child processes started
/// while the disk is full inherit the limit.
class FullDisk {
public:
    explicit FullDisk(QString folder);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    /// Why no way works here; empty when one does.
    const QString& Unavailable() const { return m_unavailable; }
    /// The name of the file that fills the tmpfs, which the tests leave out of listings.
    static QString FillerName() { return QStringLiteral(".filler"); }

    /// From now on the files in the folder can grow by `room` bytes at most, in all (tmpfs:
    /// rounded up to whole pages) or each (file-size limit). False when that failed.
    bool Fill(qint64 room);
    /// Lifts the limit of Fill.
    void Release();
    /// What the system says when a write fails for want of room, as Qt words it.
    QString Reason() const;

private:
    QString m_folder;
    QString m_unavailable;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_oldLimit{};
    void (*m_oldHandler)(int) = nullptr;
};
