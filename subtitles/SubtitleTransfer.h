#pragma once

#include "subtitles/SubtitleFormat.h"

#include <QString>

class CtarnDoc;
class Host;

/// Replaces the cue list with the cues of the subtitle file `path` as one step, after asking
/// when the document is modified. A file that cannot be read or gives no cue shows a message
/// and changes nothing. Returns what to tell of an import that was made ("Imported 120
/// cues", and "; skipped 2 malformed blocks (first at line 57)" when some were skipped);
/// empty when nothing was imported.
QString ImportSubtitles(CtarnDoc& doc, Host& host, const QString& path);

/// "Import subtitles...": ImportSubtitles, its report a message when blocks were skipped
/// and a status otherwise.
void OnImportSubtitles(CtarnDoc& doc, Host& host, const QString& path);

/// Writes the cues to `path` in `format`; "Cannot write <path>" and false when it cannot,
/// "<name> is the cue file of <wav name>" and false for the document's own .txt sidecar.
bool ExportSubtitles(const CtarnDoc& doc, Host& host, const QString& path, SubtitleFormat format);

/// "Export subtitles...": asks for the file, takes the format from its extension (SRT for an
/// extension of no subtitle format), writes it and says so.
void OnExportSubtitles(const CtarnDoc& doc, Host& host);
