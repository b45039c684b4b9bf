#include "audio/RecordingStream.h"

#include "recording/Recording.h"

#include <QtEndian>

#include <algorithm>

RecordingStream::RecordingStream(const Recording& recording, FrameRange range, bool looping)
    : m_recording(recording), m_range(range), m_looping(looping && !range.IsEmpty()) {}

qint64 RecordingStream::size() const {
    return m_looping ? kEndlessBytes : qint64(m_range.Length()) * kFrameBytes;
}

void RecordingStream::CopyFrames(qint64 first, qint64 count, char* data) const {
    const SampleVector& left = m_recording.Samples(0);
    const SampleVector& right =
        m_recording.Samples(1).size() == left.size() ? m_recording.Samples(1) : left;
    for (qint64 i = 0; i < count; ++i, data += kFrameBytes) {
        qToLittleEndian<qint16>(left[size_t(first + i)], data);
        qToLittleEndian<qint16>(right[size_t(first + i)], data + 2);
    }
}

qint64 RecordingStream::readData(char* data, qint64 maxSize) {
    // Reads start on a frame: the device asks for whole frames, and a seek lands on one.
    const qint64 end = std::min<qint64>(m_range.hi, m_recording.Frames());
    if (!m_looping) {
        const qint64 first = qint64(m_range.lo) + pos() / kFrameBytes;
        const qint64 count = std::clamp<qint64>(end - first, 0, maxSize / kFrameBytes);
        CopyFrames(first, count, data);
        return count * kFrameBytes;
    }
    // A loop reads the range piece by piece, each piece up to the range's end.
    qint64 done = 0;
    const qint64 wanted = maxSize / kFrameBytes;
    while (done < wanted) {
        const qint64 first = m_range.lo + (pos() / kFrameBytes + done) % m_range.Length();
        const qint64 count = std::min(end - first, wanted - done);
        if (count <= 0) {
            break;
        }
        CopyFrames(first, count, data + done * kFrameBytes);
        done += count;
    }
    return done * kFrameBytes;
}
