#pragma once

#include "base/FrameRange.h"
#include "base/SampleVector.h"
#include "subtitles/CueList.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

/// One sample edit as it is replayed on the file as opened: scaling a range by k / 10
/// (saturating), erasing a range, or replacing a range with given frames.
struct ReplayOp {
    enum class Kind : quint8 { Scale = 1, Erase = 2, Replace = 3 };
    Kind kind = Kind::Scale;
    FrameRange range;       ///< frames the edit worked on, in the recording as it was then
    int k = 10;             ///< Scale only
    SampleVector frames[2]; ///< Replace only: the new frames, left and right, equal lengths
};

/// What a recovery file holds.
struct RecoveryRecord {
    /// Absolute path of the file the changes apply to (a WAV file, or one decoded into the
    /// document); empty for a new document.
    QString sourcePath;
    qint64 sourceSize = 0;     ///< its size in bytes when it was opened
    qint64 sourceModified = 0; ///< its modification time then, ms since the epoch (UTC)
    /// False when the ops no longer lead from the file to the edited samples.
    bool samplesComplete = true;
    std::vector<ReplayOp> ops; ///< in the order they were applied
    std::vector<Cue> cues;     ///< the whole edited cue list, in list order
    int selStart = 0;
    int selEnd = 0;
};

/// The bytes of a record: a fixed magic and version, then the fields, little-endian.
QByteArray SerializeRecovery(const RecoveryRecord& record);
/// The record in `bytes`, or nothing when they are not a complete, well-formed record of
/// this version (wrong magic, truncated, lengths that exceed what the bytes hold, negative
/// or absurd counts, a range with lo > hi or negative, Replace frames of unequal lengths,
/// a Scale factor other than the volume steps 9 and 11, unknown kinds, trailing bytes). Must never
/// crash, hang, or allocate far more than `bytes.size()` whatever the input.
std::optional<RecoveryRecord> ParseRecovery(const QByteArray& bytes);

/// Where the record of the file at `sourcePath` lives: <folder>/<hex SHA-1 of the absolute
/// path as UTF-8>.tarnrec, or <folder>/new.tarnrec for a new document (an empty path).
/// `folder` is normally RecoveryFolder().
QString RecoveryPathFor(const QString& folder, const QString& sourcePath);
/// The recovery folder beside the settings: tarn/recovery under the user's configuration
/// folder (~/.config/tarn/recovery).
QString RecoveryFolder();

/// Writes the record to `path` through QSaveFile (the old record is replaced only by a
/// complete new one), creating the folder when needed. False when it cannot.
bool WriteRecoveryFile(const QString& path, const RecoveryRecord& record);

/// Reading a record file: Absent (no file), Ok (record set), or Damaged (the file exists but
/// does not parse; it has then been renamed to "<path>.bad", replacing an older .bad).
struct RecoveryRead {
    enum class Status { Absent, Ok, Damaged };
    Status status = Status::Absent;
    RecoveryRecord record;
};
RecoveryRead ReadRecoveryFile(const QString& path);
/// Removes the record file; true when it is gone (also when there was none).
bool RemoveRecoveryFile(const QString& path);
