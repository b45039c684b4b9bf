#include "subtitles/Sidecars.h"

#include "base/Host.h"
#include "base/TextFile.h"
#include "recording/Recording.h"
#include "subtitles/CueFormats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString MarkPath(const QString& wavPath) {
    const QFileInfo wav(wavPath);
    return wav.dir().filePath(QLatin1Char('.') + wav.fileName() + QStringLiteral(".saving"));
}

bool Write(const QString& path, const QString& text, Host& host, const QString& failure) {
    if (!WriteTextFile(path, text)) {
        host.ShowMessage(failure);
        return false;
    }
    return true;
}

} // namespace

bool WriteCueTxt(const QString& path, const CueList& cues, Host& host) {
    return Write(path, FormatCueTxt(cues), host,
                 QCoreApplication::translate("Message", "open file error3 %1").arg(path));
}

bool WriteCueSbv(const QString& path, const Recording& recording, const CueList& cues, Host& host) {
    return Write(path, FormatCueSbv(cues, recording.SampleRate()), host,
                 QCoreApplication::translate("Message", "open file error4"));
}

bool WriteCueAss(const QString& path, const Recording& recording, const CueList& cues, Host& host) {
    return Write(path, FormatCueAss(cues, recording.SampleRate()), host,
                 QCoreApplication::translate("Message", "open file error2"));
}

bool SaveMarked(const QString& wavPath) {
    return QFile::exists(MarkPath(wavPath));
}

bool MarkSave(const QString& wavPath) {
    QFile mark(MarkPath(wavPath));
    return mark.open(QIODevice::WriteOnly);
}

void UnmarkSave(const QString& wavPath) {
    QFile::remove(MarkPath(wavPath));
}
