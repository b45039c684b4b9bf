#pragma once

#include <QtGlobal>

/// The ruler's mark track: one entry per frame, 50 where the frame index is a multiple of
/// the period and 0 elsewhere. Held as its period instead of one value per frame, which
/// would cost two bytes per frame on hour-long recordings.
class SecondMarkTrack {
public:
    static constexpr qint16 kMark = 50;

    SecondMarkTrack() = default;
    /// A period of 0 or below marks no frame (a header with no usable sample rate).
    SecondMarkTrack(int length, qint64 period) : m_nLength(length), m_nPeriod(period) {}

    int Length() const { return m_nLength; }
    qint64 Period() const { return m_nPeriod; }

    /// Entry k, for 0 <= k < Length().
    qint16 At(qint64 k) const { return IsMark(k) ? kMark : 0; }
    bool IsMark(qint64 k) const { return m_nPeriod > 0 && k % m_nPeriod == 0; }
    /// Number of marked frames in first..last (inclusive; 0 <= first).
    qint64 MarksIn(qint64 first, qint64 last) const;

private:
    int m_nLength = 0;
    qint64 m_nPeriod = 0;
};
