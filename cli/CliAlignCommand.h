#pragma once

#include <QStringList>

// The tarn-cli command that lays a script's cues where they are spoken. It takes the
// arguments after its name and returns the exit status.

/// align WAV OUT [--language LANG] [--cues placeholders|all]
int RunAlign(const QStringList& args);
