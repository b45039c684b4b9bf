#pragma once

#include "recording/AudioDecoder.h"

#include <QString>

class CtarnDoc;
class Host;

/// Reads `path` into the document as both programs open a file: through the WAV reader when
/// it takes the file (or the file cannot be read at all, so that its message is the WAV
/// reader's), else decoded through `open` with progress and Cancel. False, the document
/// unchanged, when it was not read.
bool ReadDocument(CtarnDoc& doc, Host& host, const QString& path, const AudioOpener& open);
