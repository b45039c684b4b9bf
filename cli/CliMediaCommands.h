#pragma once

#include <QStringList>

// The tarn-cli commands that bring other files in and send cues and clips out: they decode
// and encode through FFmpeg's libraries. Each takes the arguments after its name and returns
// the exit status.

/// import SRC OUT.wav
int RunImport(const QStringList& args);
/// import-subs WAV SUBFILE OUT
int RunImportSubs(const QStringList& args);
/// export-subs WAV OUT [--format F]
int RunExportSubs(const QStringList& args);
/// export-clips WAV DIR [options]
int RunExportClips(const QStringList& args);
