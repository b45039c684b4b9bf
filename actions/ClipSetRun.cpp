#include "actions/ClipSetRun.h"

#include "base/ClockText.h"
#include "deck/AnkiDeck.h"
#include "document/CtarnDoc.h"
#include "subtitles/SubtitleReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

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

/// The clips as notes of a deck package, their audio and stills as its media.
bool WriteClipDeck(const std::vector<PlannedClip>& plan, const ClipSetOptions& options, qint32 rate,
                   const QString& source, QString& error) {
    const QDir folder(options.folder);
    std::vector<DeckNote> notes;
    std::vector<DeckMedia> media;
    for (const PlannedClip& clip : plan) {
        const QString picture =
            clip.stillName.isEmpty()
                ? QString()
                : QStringLiteral("<img src=\"%1\">").arg(clip.stillName.toHtmlEscaped());
        notes.push_back({{QString::number(clip.number), ClipFieldHtml(clip.text), clip.translation,
                          ClipFieldHtml(clip.contextBefore), ClipFieldHtml(clip.contextAfter),
                          QStringLiteral("[sound:%1]").arg(clip.fileName), picture,
                          FormatClock(clip.cueStart, rate), FormatClock(clip.cueEnd, rate),
                          ClipFieldHtml(source)}});
        media.push_back({clip.fileName, folder.filePath(clip.fileName)});
        if (!clip.stillName.isEmpty()) {
            media.push_back({clip.stillName, folder.filePath(clip.stillName)});
        }
    }
    return WriteAnkiDeck(options.deckPath, options.deckName, notes, media, error);
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

ClipSetRun RunClipSet(const CtarnDoc& doc, Host& host, std::vector<PlannedClip> plan,
                      const ClipSetOptions& asked, ClipEncoder& encoder,
                      const std::function<bool(int done, int total)>& progress,
                      const StillSource& stills) {
    ClipSetRun run;
    // A deck not named takes the recording's name, in the index as in the package.
    ClipSetOptions options = asked;
    if (!options.deckPath.isEmpty() && options.deckName.trimmed().isEmpty()) {
        options.deckName = ClipBaseName(doc);
    }
    if (!options.translationPath.isEmpty()) {
        const std::optional<SubtitleRead> translation =
            ReadSubtitleFile(options.translationPath, doc.GetRecording().SampleRate());
        if (!translation) {
            host.ShowMessage(
                QCoreApplication::translate("Message", "Cannot read the translation %1")
                    .arg(QDir::toNativeSeparators(options.translationPath)));
            return run;
        }
        AddClipTranslations(plan, translation->cues);
    }
    if (options.stills) {
        const std::unique_ptr<StillGrabber> probe = stills ? stills() : nullptr;
        if (!probe || !probe->HasPicture()) {
            host.ShowMessage(
                QCoreApplication::translate("Message", "%1 has no picture to take stills of")
                    .arg(ClipBaseName(doc)));
            return run;
        }
    }
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
    run.result = WriteClipSet(doc.GetRecording(), plan, options, encoder, progress, stills);
    if (!options.deckPath.isEmpty() && run.result.error.isEmpty() && !run.result.cancelled) {
        QString error;
        if (WriteClipDeck(plan, options, doc.GetRecording().SampleRate(), ClipBaseName(doc),
                          error)) {
            run.result.written << options.deckPath;
        } else {
            run.result.error = error;
        }
    }
    return run;
}

void ExportClipSet(const CtarnDoc& doc, Host& host, const ClipSetOptions& options,
                   ClipEncoder& encoder, const StillSource& stills) {
    const std::vector<PlannedClip> plan = PlanDocumentClips(doc, options);
    if (plan.empty()) {
        return;
    }
    const QString task = QCoreApplication::translate("Message", "Export clips");
    const int total = int(plan.size());
    const ClipSetRun run = RunClipSet(
        doc, host, plan, options, encoder,
        [&](int done, int all) { return host.ReportProgress(task, done, all); }, stills);
    if (!run.ran) {
        return;
    }
    host.ReportProgress(task, total, total);
    const ClipSetResult& result = run.result;
    const QString folder = QDir::toNativeSeparators(options.folder);
    // The clips among the files written (not the index, the stills or the deck).
    QSet<QString> clipPaths;
    for (const PlannedClip& clip : plan) {
        clipPaths.insert(QDir::cleanPath(QDir(options.folder).filePath(clip.fileName)));
    }
    const int clips =
        int(std::count_if(result.written.begin(), result.written.end(), [&](const QString& path) {
            return clipPaths.contains(QDir::cleanPath(path));
        }));
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
        QString status =
            QCoreApplication::translate("Message", "Exported %n clips to %1", nullptr, clips)
                .arg(folder);
        if (options.loudnessLufs && result.peakRuleClips > 0) {
            status += QCoreApplication::translate("Message",
                                                  "; %n too short for loudness, peak-normalised",
                                                  nullptr, result.peakRuleClips);
        }
        host.ShowStatus(status);
    }
}
