#include "audio/RecordingStream.h"

#include "recording/Recording.h"

#include <QtEndian>

#include <algorithm>

RecordingStream::RecordingStream(const Recording& recording, FrameRange range)
    : m_recording(recording), m_range(range) {}

qint64 RecordingStream::readData(char* data, qint64 maxSize) {
    // Reads start on a frame: the device asks for whole frames, and a seek lands on one.
    const qint64 first = qint64(m_range.lo) + pos() / kFrameBytes;
    const qint64 end = std::min<qint64>(m_range.hi, m_recording.Frames());
    const qint64 count = std::clamp<qint64>(end - first, 0, maxSize / kFrameBytes);
    const SampleVector& left = m_recording.Samples(0);
    const SampleVector& right =
        m_recording.Samples(1).size() == left.size() ? m_recording.Samples(1) : left;
    for (qint64 i = 0; i < count; ++i, data += kFrameBytes) {
        qToLittleEndian<qint16>(left[size_t(first + i)], data);
        qToLittleEndian<qint16>(right[size_t(first + i)], data + 2);
    }
    return count * kFrameBytes;
}
