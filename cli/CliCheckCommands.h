#pragma once

#include <QStringList>

// The tarn-cli command that holds the cues to the reading-speed and timing rules. It takes
// the arguments after its name and returns the exit status.

/// check WAV [--profile P] [--fps F] [--max-cps X] [--min-duration MS] [--max-duration MS]
/// [--min-gap MS] [--max-chars N] [--max-lines N]
int RunCheck(const QStringList& args);
