#pragma once

#include "recording/Recording.h"

#include <QtGlobal>

#include <vector>

/// How a channel's spectrogram is laid out: frames per column, pixel rows, and whether the
/// rows step through frequencies evenly in octaves (from 50 Hz) or in hertz (from 0 Hz), up
/// to half the sample rate.
struct SpectrogramLayout {
    int zoom = 1;
    int height = 1;
    bool logFrequency = true;

    bool operator==(const SpectrogramLayout&) const = default;
};

/// Frames in one transform at `rate`: the power of two nearest to 2048 at 44.1 kHz scaled with
/// the rate, at least 256 (and at most 65536).
int SpectrogramWindow(qint32 rate);

/// The pixel row (0 at the top, the highest frequency) that a frequency lands on; frequencies
/// off the axis land on its nearest end.
int RowOfFrequency(double hz, qint32 rate, int height, bool logFrequency);

/// The colour (ARGB32, opaque) of a level in dB relative to full scale: a perceptual map from
/// its dark end at -100 dB and below to its bright end at 0 dB and above.
quint32 SpectrogramColour(double db);

/// The pixels of columns first .. first + count - 1 of `channel` (ARGB32, row-major, `count`
/// wide and layout.height high). Each column is one Hann-windowed transform centred on its
/// middle frame, or, when it holds more than a quarter window, several transforms a quarter
/// window apart with their power averaged; frames outside the recording are silence. Each row
/// shows the strongest bin of its band of frequencies (the nearest bin when the band is
/// narrower than one). Safe to call from any thread while the recording does not change.
std::vector<quint32> SpectrogramColumns(const Recording& recording, int channel, qint64 first,
                                        int count, const SpectrogramLayout& layout);
