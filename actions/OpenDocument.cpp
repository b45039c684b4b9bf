#include "actions/OpenDocument.h"

#include "document/CtarnDoc.h"
#include "recording/DecodedAudio.h"

#include <QFileInfo>

bool ReadDocument(CtarnDoc& doc, Host& host, const QString& path, const AudioOpener& open) {
    if (!QFileInfo(path).isFile() || WaveReaderTakes(path)) {
        return doc.OnOpenDocument(path);
    }
    const OpenedAudio audio = open(path);
    if (!audio.decoder) {
        host.ShowMessage(audio.message);
        return false;
    }
    return doc.OnImportDocument(path, *audio.decoder);
}
