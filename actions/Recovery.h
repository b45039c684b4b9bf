#pragma once

#include "document/RecoveryRecord.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

#include <optional>

class CtarnDoc;
class Host;

/// What the document changed since its source was opened or saved, as a recovery record: the
/// cues, the selection and the sample edits that lead from the source (its WAV file, the file
/// decoded into it, or nothing for a new document) to the samples now (samplesComplete false
/// when they no longer do). Nothing when nothing changed.
std::optional<RecoveryRecord> CaptureRecovery(const CtarnDoc& doc);

/// Keeps a recovery record of the document's unsaved changes in `folder`, written at most
/// `delayMs` after a change, removed once the document is saved or its changes are given up;
/// and offers the records it finds.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int kDelayMs = 30000;

    /// Questions and messages go through `host`.
    RecoveryKeeper(CtarnDoc& doc, Host& host, QString folder, int delayMs = kDelayMs);

    /// How a record's source is opened at start-up (by default the WAV reader); the program
    /// passes its own, which decodes what the WAV reader does not take.
    void SetSourceOpener(std::function<bool(const QString& path)> open);

    /// Writes the record now (or removes it when there is nothing to recover).
    void WriteNow();
    /// Forgets the unsaved changes of the document's file: its record goes.
    void Discard();

    /// After the document's file was opened or decoded: offers its record, if any ("Recover
    /// unsaved changes to <name>?"), replays it on Yes and removes it on No. A damaged record
    /// is set aside with a message.
    void OfferForOpenFile();
    /// At start-up without a file: offers the newest record in the folder, opening its file
    /// (or, when the file is gone or the record is of a new document, a new document with the
    /// recovered cues).
    void OfferAtStart();

signals:
    /// A record was taken into the document: its selection is worth bringing into view.
    void recovered();

private:
    void Schedule();
    /// Asks about `record` and replays it on Yes; removes it on No.
    void Offer(const QString& recordPath, const RecoveryRecord& record);
    /// Reads a record, telling the user about a damaged one; nothing unless it is sound.
    std::optional<RecoveryRecord> Read(const QString& recordPath);

    CtarnDoc& m_doc;
    Host& m_host;
    std::function<bool(const QString& path)> m_openSource;
    QString m_strFolder;
    QTimer m_timer;
    QString m_strWritten; ///< the record last written, to remove when it is no longer wanted
};
