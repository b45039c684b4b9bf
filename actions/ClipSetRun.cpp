#include "actions/ClipSetRun.h"

#include "document/CtarnDoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

/// The files as the user finds them in the folder, one a line.
QString FileLines(const QStringList& paths, const QString& folder) {
    QStringList names;
    for (const QString& path : paths) {
        names << QDir::toNativeSeparators(QDir(folder).relativeFilePath(path));
    }
    return names.join(QChar('\n'));
}

} // namespace

QString ClipBaseName(const CtarnDoc& doc) {
    const QString& path =
        doc.File().ImportSource().isEmpty() ? doc.File().GetPathName() : doc.File().ImportSource();
    return path.isEmpty() ? doc.File().GetTitle() : QFileInfo(path).completeBaseName();
}

std::vector<PlannedClip> PlanDocumentClips(const CtarnDoc& doc, const ClipSetOptions& options) {
    return PlanClipSet(doc.Cues(), options, doc.SelStart(), doc.SelEnd(), doc.CurrentCue(),
                       doc.GetRecording().Frames(), doc.GetRecording().SampleRate(),
                       ClipBaseName(doc));
}

ClipSetRun RunClipSet(const CtarnDoc& doc, Host& host, const std::vector<PlannedClip>& plan,
                      const ClipSetOptions& options, ClipEncoder& encoder,
                      const std::function<bool(int done, int total)>& progress) {
    ClipSetRun run;
    const QStringList existing = ExistingClipFiles(plan, options);
    if (!existing.isEmpty()) {
        const QString question = QCoreApplication::translate(
            "Message", "Replace %n existing files?", nullptr, int(existing.size()));
        if (!host.AskYesNo(question)) {
            run.declined = question;
            return run;
        }
    }
    if (!QDir().mkpath(options.folder)) {
        host.ShowMessage(QCoreApplication::translate("Message", "Cannot create the folder %1")
                             .arg(QDir::toNativeSeparators(options.folder)));
        return run;
    }
    run.ran = true;
    run.result = WriteClipSet(doc.GetRecording(), plan, options, encoder, progress);
    return run;
}

void ExportClipSet(const CtarnDoc& doc, Host& host, const ClipSetOptions& options,
                   ClipEncoder& encoder) {
    const std::vector<PlannedClip> plan = PlanDocumentClips(doc, options);
    if (plan.empty()) {
        return;
    }
    const QString task = QCoreApplication::translate("Message", "Export clips");
    const int total = int(plan.size());
    const ClipSetRun run = RunClipSet(doc, host, plan, options, encoder, [&](int done, int all) {
        return host.ReportProgress(task, done, all);
    });
    if (!run.ran) {
        return;
    }
    host.ReportProgress(task, total, total);
    const ClipSetResult& result = run.result;
    const QString folder = QDir::toNativeSeparators(options.folder);
    const QString index = QDir::cleanPath(options.indexPath);
    const int clips =
        int(std::count_if(result.written.begin(), result.written.end(),
                          [&](const QString& path) { return QDir::cleanPath(path) != index; }));
    if (!result.error.isEmpty()) {
        QString text =
            QCoreApplication::translate("Message", "The export stopped: %1").arg(result.error) +
            QStringLiteral("\n\n");
        text += result.written.isEmpty()
                    ? QCoreApplication::translate("Message", "No file was written.")
                    : QCoreApplication::translate("Message", "%n files were written:", nullptr,
                                                  int(result.written.size())) +
                          QChar('\n') + FileLines(result.written, options.folder);
        host.ShowMessage(text);
    } else if (result.cancelled) {
        host.ShowStatus(QCoreApplication::translate(
                            "Message", "Export cancelled: %n clips written to %1", nullptr, clips)
                            .arg(folder));
    } else {
        host.ShowStatus(
            QCoreApplication::translate("Message", "Exported %n clips to %1", nullptr, clips)
                .arg(folder));
    }
}
