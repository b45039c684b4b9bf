#pragma once

#include "base/FrameRange.h"

#include <QString>
#include <QStringList>

#include <vector>

/// Speech of another voice than the aligner's (flite's "slt", 16 kHz), laid out as a test
/// needs it: each sentence trimmed to its sound, the pauses given between them, a stretch
/// before and after, and noise 35 dB under the speech over everything.
struct SpokenSet {
    static constexpr qint32 kRate = 16000;

    std::vector<qint16> samples;   ///< mono
    std::vector<FrameRange> truth; ///< each sentence's sound, in frames

    /// `pausesMs[k]` follows sentence k; `edgeMs` of `edgeNoise` (a hiss 25 dB under the
    /// speech, else the background alone) before the first and after the last. Empty when
    /// flite cannot be run.
    static SpokenSet Make(const QStringList& sentences, const std::vector<int>& pausesMs,
                          int edgeMs, bool edgeNoise);
    /// Writes it as a 16-bit stereo WAV file.
    bool Write(const QString& path) const;
};
