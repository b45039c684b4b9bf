#pragma once

#include <QStringList>

// The tarn-cli commands that list the cues and retime them. Each takes the arguments after
// its name and returns the exit status.

/// cues WAV
int RunCues(const QStringList& args);
/// retime WAV OUT (--shift MS | --sync N=TIME M=TIME | --fps F1 F2) [--cues N-M]
int RunRetime(const QStringList& args);
