#include "actions/SubtitleTransfer.h"

#include "document/CtarnDoc.h"
#include "subtitles/CueFormats.h"
#include "subtitles/SubtitleReader.h"
#include "subtitles/SubtitleWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

SubtitleImport ImportSubtitles(CtarnDoc& doc, Host& host, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (doc.IsModified() &&
        !host.AskYesNo(QCoreApplication::translate(
                           "Message", "%1 has unsaved changes. Replace its cues with those of %2?")
                           .arg(doc.File().GetTitle(), name))) {
        return {};
    }
    std::optional<SubtitleRead> read =
        ReadImportedCues(path, doc.GetRecording().SampleRate(), doc.GetRecording().Frames());
    if (!read) {
        host.ShowMessage(QCoreApplication::translate("Message", "Cannot read %1").arg(name));
        return {};
    }
    QString skipped;
    if (read->skipped > 0) {
        skipped = QCoreApplication::translate("Message",
                                              "; skipped %n malformed blocks (first at line %1)",
                                              nullptr, read->skipped)
                      .arg(read->firstSkippedLine);
    }
    const int count = int(read->cues.size());
    if (count == 0) {
        host.ShowMessage(QCoreApplication::translate("Message", "No cues found in %1").arg(name) +
                         skipped);
        return {};
    }
    const int frames = doc.GetRecording().Frames();
    const int pastEnd =
        int(std::count_if(read->cues.begin(), read->cues.end(),
                          [frames](const Cue& cue) { return cue.start >= frames; }));
    doc.ChangeCues(QCoreApplication::translate("Step", "Import subtitles"), [&](CueList& cues) {
        cues.Clear();
        cues.AddCues(std::move(read->cues));
    });
    doc.SetCurrentCue(-1);
    if (read->plainScript) {
        return {QCoreApplication::translate("Message", "Read %1 as a plain script: %n cues",
                                            nullptr, count)
                    .arg(name)};
    }
    return {QCoreApplication::translate("Message", "Imported %n cues", nullptr, count) + skipped,
            !skipped.isEmpty(), pastEnd};
}

bool OnImportSubtitles(CtarnDoc& doc, Host& host, const QString& path) {
    const SubtitleImport result = ImportSubtitles(doc, host, path);
    QString report = result.report;
    if (result.pastEnd > 0) {
        report += QCoreApplication::translate(
            "Message", "; %n cues lie past the end of the recording", nullptr, result.pastEnd);
    }
    if (result.skipped || result.pastEnd > 0) {
        host.ShowMessage(report);
    } else if (!report.isEmpty()) {
        host.ShowStatus(report);
    }
    return !report.isEmpty();
}

bool ExportSubtitles(const CtarnDoc& doc, Host& host, const QString& path, SubtitleFormat format) {
    // A label file has the extension of the cue sidecar; it must not take the sidecar's place.
    const QString& wav = doc.File().GetPathName();
    if (!wav.isEmpty() &&
        QFileInfo(path).absoluteFilePath() == SidecarBase(wav) + QStringLiteral(".txt")) {
        host.ShowMessage(QCoreApplication::translate("Message", "%1 is the cue file of %2")
                             .arg(QFileInfo(path).fileName(), QFileInfo(wav).fileName()));
        return false;
    }
    if (!WriteSubtitleFile(path, format, doc.Cues(), doc.GetRecording().SampleRate())) {
        host.ShowMessage(QCoreApplication::translate("Message", "Cannot write %1")
                             .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

void OnExportSubtitles(const CtarnDoc& doc, Host& host) {
    const QString& source = doc.File().SourcePath();
    const std::optional<QString> path = host.AskSavePath(
        {QCoreApplication::translate("Message", "Export subtitles"),
         QCoreApplication::translate("Message", "SRT subtitles (*.srt);;WebVTT subtitles "
                                                "(*.vtt);;ASS subtitles (*.ass);;SBV subtitles "
                                                "(*.sbv);;Label files (*.txt)"),
         QStringLiteral(".srt"),
         source.isEmpty() ? QString() : SidecarBase(source) + QStringLiteral(".srt")});
    if (!path || path->isEmpty()) {
        return;
    }
    const SubtitleFormat format = SubtitleFormatOfName(*path).value_or(SubtitleFormat::Srt);
    if (ExportSubtitles(doc, host, *path, format)) {
        host.ShowStatus(QCoreApplication::translate("Message", "Exported %1 cues to %2")
                            .arg(doc.Cues().Count())
                            .arg(QDir::toNativeSeparators(*path)));
    }
}
