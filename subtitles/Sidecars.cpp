#include "subtitles/Sidecars.h"

#include "document/Host.h"
#include "document/Recording.h"
#include "subtitles/CueFormats.h"
#include "subtitles/TextFile.h"

#include <QCoreApplication>

namespace {

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
