#pragma once

#include <QStringList>

/// tarn-cli tidy WAV OUT [--profile P] [--fps F] [--snap MS] [--lead-in MS] [--lead-out MS]
/// [--close-gaps MS] [--min-gap MS] [--min-duration MS]: takes the arguments after the name
/// and returns the exit status.
int RunTidy(const QStringList& args);
