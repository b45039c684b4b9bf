#pragma once

#include "document/RecoveryRecord.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class CtarnDoc;

/// What the document changed since its file was opened or saved, as a recovery record: the
/// cues, the selection and the sample edits that lead from the file to the samples now
/// (samplesComplete false when they no longer do). Nothing when it has no file or no change.
std::optional<RecoveryRecord> CaptureRecovery(const CtarnDoc& doc);

/// Keeps a recovery record of the document's unsaved changes in `folder`, written at most
/// `delayMs` after a change, removed once the document is saved or its changes are given up;
/// and offers the records it finds.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int kDelayMs = 30000;

    RecoveryKeeper(CtarnDoc& doc, QString folder, int delayMs = kDelayMs);

    /// Writes the record now (or removes it when there is nothing to recover).
    void WriteNow();
    /// Forgets the unsaved changes of the document's file: its record goes.
    void Discard();

    /// After the document's file was opened: offers its record, if any ("Recover unsaved
    /// changes to <name>?"), replays it on Yes and removes it on No. A damaged record is set
    /// aside with a message.
    void OfferForOpenFile();
    /// At start-up without a file: offers the newest record in the folder, opening its file
    /// (or, when the file is gone, a new document with the recovered cues).
    void OfferAtStart();

private:
    void Schedule();
    /// Asks about `record` and replays it on Yes; removes it on No.
    void Offer(const QString& recordPath, const RecoveryRecord& record);
    /// Reads a record, telling the user about a damaged one; nothing unless it is sound.
    std::optional<RecoveryRecord> Read(const QString& recordPath);

    CtarnDoc& m_doc;
    QString m_strFolder;
    QTimer m_timer;
    QString m_strWritten; ///< the record last written, to remove when it is no longer wanted
};
