#include "actions/Recovery.h"

#include "document/CtarnDoc.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

const char* const kRecordSuffix = ".tarnrec";

/// Whether the file is still the one the record was made on.
bool SourceUnchanged(const RecoveryRecord& record) {
    const QFileInfo info(record.sourcePath);
    return info.exists() && info.size() == record.sourceSize &&
           info.lastModified().toMSecsSinceEpoch() == record.sourceModified;
}

QString Question(const RecoveryRecord& record, bool samples) {
    if (record.sourcePath.isEmpty()) {
        return QCoreApplication::translate("Message", "Recover unsaved changes to a new document?");
    }
    QString text = QCoreApplication::translate("Message", "Recover unsaved changes to %1?")
                       .arg(QFileInfo(record.sourcePath).fileName());
    if (!QFileInfo::exists(record.sourcePath)) {
        text += QCoreApplication::translate(
            "Message", " The file no longer exists: only the cues can be recovered.");
    } else if (!samples) {
        text += QCoreApplication::translate(
            "Message", " The file changed since: only the cues can be recovered.");
    }
    return text;
}

} // namespace

std::optional<RecoveryRecord> CaptureRecovery(const CtarnDoc& doc) {
    if (!doc.IsModified()) {
        return std::nullopt;
    }
    RecoveryRecord record;
    record.sourcePath = doc.File().SourcePath();
    record.sourceSize = doc.File().SourceSize();
    record.sourceModified = doc.File().SourceModified();
    const std::optional<std::vector<const EditStep*>> steps = doc.GetHistory().StepsSinceClean();
    record.samplesComplete = steps.has_value();
    if (steps) {
        for (const EditStep* step : *steps) {
            if (step->replay) {
                record.ops.push_back(*step->replay);
            }
        }
    }
    record.cues = doc.Cues().Records(0, doc.Cues().Count());
    record.selStart = doc.SelStart();
    record.selEnd = doc.SelEnd();
    return record;
}

RecoveryKeeper::RecoveryKeeper(CtarnDoc& doc, Host& host, QString folder, int delayMs)
    : m_doc(doc), m_host(host),
      m_openSource([&doc](const QString& path) { return doc.OnOpenDocument(path); }),
      m_strFolder(std::move(folder)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { WriteNow(); });
    connect(&m_doc, &CtarnDoc::historyChanged, this, [this] { Schedule(); });
    connect(&m_doc, &CtarnDoc::modifiedChanged, this, [this](bool modified) {
        if (modified) {
            Schedule();
        } else {
            WriteNow(); // saved, or back at the saved state: nothing to recover
        }
    });
}

void RecoveryKeeper::SetSourceOpener(std::function<bool(const QString& path)> open) {
    m_openSource = std::move(open);
}

void RecoveryKeeper::Schedule() {
    // Not restarted by later changes: a change waits at most one delay to be written.
    if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void RecoveryKeeper::WriteNow() {
    m_timer.stop();
    const std::optional<RecoveryRecord> record = CaptureRecovery(m_doc);
    const QString path = record ? RecoveryPathFor(m_strFolder, record->sourcePath) : QString();
    if (!m_strWritten.isEmpty() && m_strWritten != path) {
        RemoveRecoveryFile(m_strWritten);
        m_strWritten.clear();
    }
    if (record && WriteRecoveryFile(path, *record)) {
        m_strWritten = path;
    }
}

void RecoveryKeeper::Discard() {
    m_timer.stop();
    if (!m_strWritten.isEmpty()) {
        RemoveRecoveryFile(m_strWritten);
        m_strWritten.clear();
    }
    RemoveRecoveryFile(RecoveryPathFor(m_strFolder, m_doc.File().SourcePath()));
}

std::optional<RecoveryRecord> RecoveryKeeper::Read(const QString& recordPath) {
    RecoveryRead read = ReadRecoveryFile(recordPath);
    if (read.status == RecoveryRead::Status::Damaged) {
        m_host.ShowMessage(QCoreApplication::translate(
                               "Message", "The recovery record %1 cannot be read and was set aside")
                               .arg(QDir::toNativeSeparators(recordPath)));
    }
    if (read.status != RecoveryRead::Status::Ok) {
        return std::nullopt;
    }
    return std::move(read.record);
}

void RecoveryKeeper::OfferForOpenFile() {
    if (m_doc.File().SourcePath().isEmpty()) {
        return;
    }
    const QString recordPath = RecoveryPathFor(m_strFolder, m_doc.File().SourcePath());
    if (const std::optional<RecoveryRecord> record = Read(recordPath)) {
        Offer(recordPath, *record);
    }
}

void RecoveryKeeper::OfferAtStart() {
    const QFileInfoList records =
        QDir(m_strFolder)
            .entryInfoList({QStringLiteral("*") + kRecordSuffix}, QDir::Files, QDir::Time);
    if (records.isEmpty()) {
        return;
    }
    const QString recordPath = records.first().absoluteFilePath();
    const std::optional<RecoveryRecord> record = Read(recordPath);
    if (!record) {
        return;
    }
    const bool sourceThere = !record->sourcePath.isEmpty() && QFileInfo::exists(record->sourcePath);
    if (sourceThere ? !m_openSource(record->sourcePath) : !m_doc.OnNewDocument()) {
        return;
    }
    Offer(recordPath, *record);
}

void RecoveryKeeper::Offer(const QString& recordPath, const RecoveryRecord& record) {
    const bool sameSource =
        record.sourcePath.isEmpty()
            ? m_doc.File().SourcePath().isEmpty()
            : SourceUnchanged(record) &&
                  m_doc.File().SourcePath() == QFileInfo(record.sourcePath).absoluteFilePath();
    const bool samples = record.samplesComplete && sameSource;
    if (!m_host.AskYesNo(Question(record, samples))) {
        RemoveRecoveryFile(recordPath);
        return;
    }
    if (samples) {
        for (const ReplayOp& op : record.ops) {
            m_doc.ReplayEdit(op);
        }
    }
    m_doc.ChangeCues(QCoreApplication::translate("Step", "Recover cues"), [&record](CueList& cues) {
        cues.Clear();
        cues.AddCues(record.cues);
    });
    m_doc.SetSelection(record.selStart, record.selEnd);
    m_doc.SetModifiedFlag(true);
    m_strWritten = recordPath;
    emit recovered();
}
