#pragma once

#include "subtitles/SubtitleFormat.h"

#include <QString>

class CtarnDoc;
class Host;

/// What an import tells: "Imported 120 cues", and "; skipped 2 malformed blocks (first at
/// line 57)" when some were skipped; "Read script.txt as a plain script: 24 cues" for a text
/// without times. Empty when nothing was imported.
struct SubtitleImport {
    QString report;
    bool skipped = false; ///< some blocks could not be read
    int pastEnd = 0;      ///< cues that start at or after the end of the recording
};

/// Replaces the cue list with the cues of `path` as ReadImportedCues reads them, as one step,
/// after asking when the document is modified. A file that cannot be read or gives no cue
/// shows a message and changes nothing.
SubtitleImport ImportSubtitles(CtarnDoc& doc, Host& host, const QString& path);

/// "Import subtitles...": ImportSubtitles, its report a message when blocks were skipped or
/// cues lie past the end of the recording ("; 3 cues lie past the end of the recording"),
/// and a status otherwise. Returns whether the cues were replaced.
bool OnImportSubtitles(CtarnDoc& doc, Host& host, const QString& path);

/// Writes the cues to `path` in `format`; "Cannot write <path>" and false when it cannot,
/// "<name> is the cue file of <wav name>" and false for the document's own .txt sidecar.
bool ExportSubtitles(const CtarnDoc& doc, Host& host, const QString& path, SubtitleFormat format);

/// "Export subtitles...": asks for the file, proposing `<base>.srt` beside the file the
/// document came from (the decoded source for an imported one), takes the format from its
/// extension (SRT for an extension of no subtitle format), writes it and says so.
void OnExportSubtitles(const CtarnDoc& doc, Host& host);
