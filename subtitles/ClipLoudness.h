#pragma once

#include <QtGlobal>

#include <vector>

// The level of one clip's frames: its sample peak, or its loudness as EBU R128 measures it.

/// Raises or lowers the peak of both channels to -1 dBFS in place; false for silence, which
/// stays silent.
bool NormalisePeak(std::vector<qint16>& left, std::vector<qint16>& right);

/// What bringing a clip to a loudness did.
enum class LoudnessOutcome { Reached, PeakRule, Silent };

/// Brings 16-bit stereo frames (in place) to `targetLufs` integrated loudness (EBU R128), the
/// gain limited so that the true peak stays at or under `ceilingDbtp`; a clip too short for a
/// gated measurement (under 400 ms, or no block above the gates) falls back to the peak rule
/// (NormalisePeak) and says PeakRule; silence stays silent (Silent).
LoudnessOutcome NormaliseLoudness(std::vector<qint16>& left, std::vector<qint16>& right,
                                  qint32 rate, double targetLufs, double ceilingDbtp = -1.5);
