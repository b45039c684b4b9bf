#include "actions/ClipSaves.h"

#include "document/CtarnDoc.h"
#include "subtitles/ClipExport.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

void ExportClips(CtarnDoc& doc, Host& host, bool pairs) {
    ExportCueClips(doc.Cues(), host, pairs, doc.File().SourceFolder(),
                   [&doc](const QString& path, int a, int b) { return doc.SaveWave(path, a, b); });
}

} // namespace

void OnSaveClip(CtarnDoc& doc, Host& host) {
    const std::optional<QString> path =
        host.AskSavePath({QCoreApplication::translate("Message", "Save clip to file"),
                          QCoreApplication::translate("Message", "Wave files(*.wav)"),
                          QStringLiteral(".wav"), doc.File().SourceFolder()});
    if (!path) {
        return;
    }
    if (!doc.SaveWave(*path, doc.SelStart(), doc.SelEnd())) {
        host.ShowMessage(QCoreApplication::translate("Message", "write file error %1").arg(*path));
        return;
    }
    host.AddToRecentFileList(*path);
    const FrameRange range =
        OrderedRange(doc.SelStart(), doc.SelEnd(), doc.GetRecording().Frames());
    host.ShowStatus(QCoreApplication::translate("Message", "Saved clip %1 (%2 frames)")
                        .arg(QFileInfo(*path).fileName())
                        .arg(range.Length()));
}

void OnSaveVorn(CtarnDoc& doc, Host& host) {
    ExportClips(doc, host, true);
}

void OnSaveVorn2(CtarnDoc& doc, Host& host) {
    ExportClips(doc, host, false);
}
