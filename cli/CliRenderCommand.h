#pragma once

#include <QStringList>

// The tarn-cli command that draws what the view draws into a PNG file, with no display. It
// takes the arguments after its name and returns the exit status.

/// render WAV OUT.png [--zoom Z] [--first COLUMN] [--width W] [--height H]
/// [--view waveform|spectrogram]
int RunRender(const QStringList& args);
