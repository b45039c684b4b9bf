#pragma once

#include <QString>
#include <QtGlobal>

/// Frames of the benchmark recording: one hour at 44.1 kHz.
constexpr int kHourFrames = 44100 * 3600;

/// A one-hour 44.1 kHz 16-bit stereo PCM WAV file (kHourFrames frames, about 635 MB),
/// written on the first call and announced on standard error. It lives in a temporary
/// directory removed at exit, unless TARN_BENCH_WAV names a path: then it is written there,
/// kept, and reused by later runs while its size is right. Empty when it cannot be written.
const QString& HourFilePath();

/// Sample `frame` of a sawtooth rising by `step` per frame under a swell that steps every
/// 0.74 s: next to free to compute, and every envelope column still sees a real minimum and
/// maximum.
qint16 Sawtooth(qint64 frame, quint32 step);
