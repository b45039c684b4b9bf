#include "audio/StretchStream.h"

#include "audio/RecordingStream.h"

#include <QtEndian>

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>

namespace {

using RubberBand::RubberBandStretcher;

/// Frames the source is read in, at most, per feed.
constexpr size_t kBlockFrames = 1024;
/// How far behind the read position the output stays available for a seek back.
constexpr qint64 kKeptBytes = 1 << 20;
constexpr float kScale = 32768.0f;

} // namespace

StretchStream::StretchStream(std::unique_ptr<QIODevice> source, qint32 rate, int speedTenths)
    : m_source(std::move(source)),
      m_stretcher(std::make_unique<RubberBandStretcher>(
          size_t(std::max(rate, 1)), 2,
          RubberBandStretcher::OptionProcessRealTime | RubberBandStretcher::OptionChannelsTogether,
          10.0 / speedTenths)),
      m_speedTenths(speedTenths) {
    m_stretcher->setMaxProcessSize(kBlockFrames);
    for (std::vector<float>& channel : m_channels) {
        channel.resize(kBlockFrames);
    }
    // Silence ahead of the sound lets the stretcher settle; the delay it then reports is
    // what to drop so that the first frame out is the first frame in.
    size_t pad = m_stretcher->getPreferredStartPad();
    while (pad > 0) {
        const size_t n = std::min(pad, kBlockFrames);
        std::fill_n(m_channels[0].begin(), n, 0.0f);
        std::fill_n(m_channels[1].begin(), n, 0.0f);
        const float* const input[] = {m_channels[0].data(), m_channels[1].data()};
        m_stretcher->process(input, n, false);
        pad -= n;
    }
    m_trim = m_stretcher->getStartDelay();
    // The same delay holds back the end: silence after the source lets the last frames out.
    m_tailPad = m_trim * size_t(speedTenths) / 10 + 1;
}

StretchStream::~StretchStream() = default;

qint64 StretchStream::size() const {
    const qint64 frames = m_source->size() / RecordingStream::kFrameBytes;
    return frames * 10 / m_speedTenths * RecordingStream::kFrameBytes;
}

bool StretchStream::seek(qint64 pos) {
    if (pos < m_outFrom || pos > m_outFrom + m_out.size()) {
        return false;
    }
    return QIODevice::seek(pos);
}

void StretchStream::TakeOutput(size_t frames) {
    float* const output[] = {m_channels[0].data(), m_channels[1].data()};
    const size_t got = m_stretcher->retrieve(output, frames);
    const size_t skip = std::min(got, m_trim);
    m_trim -= skip;
    const qsizetype at = m_out.size();
    m_out.resize(at + qsizetype(got - skip) * RecordingStream::kFrameBytes);
    char* data = m_out.data() + at;
    for (size_t i = skip; i < got; ++i, data += RecordingStream::kFrameBytes) {
        for (int c = 0; c < 2; ++c) {
            const float sample = std::clamp(m_channels[c][i] * kScale, -kScale, kScale - 1.0f);
            qToLittleEndian<qint16>(qint16(sample), data + 2 * c);
        }
    }
}

bool StretchStream::Step() {
    const int available = m_stretcher->available();
    if (available > 0) {
        TakeOutput(std::min(size_t(available), kBlockFrames));
        return true;
    }
    if (available < 0 || m_fedAll) {
        return false;
    }
    const size_t wanted = std::clamp<size_t>(m_stretcher->getSamplesRequired(), 1, kBlockFrames);
    m_block.resize(qsizetype(wanted) * RecordingStream::kFrameBytes);
    const qint64 read =
        m_sourceEnded ? 0 : std::max<qint64>(m_source->read(m_block.data(), m_block.size()), 0);
    size_t frames = size_t(read / RecordingStream::kFrameBytes);
    const char* data = m_block.constData();
    for (size_t i = 0; i < frames; ++i, data += RecordingStream::kFrameBytes) {
        m_channels[0][i] = float(qFromLittleEndian<qint16>(data)) / kScale;
        m_channels[1][i] = float(qFromLittleEndian<qint16>(data + 2)) / kScale;
    }
    if (frames < wanted) {
        m_sourceEnded = true;
        const size_t pad = std::min(wanted - frames, m_tailPad);
        std::fill_n(m_channels[0].begin() + qsizetype(frames), pad, 0.0f);
        std::fill_n(m_channels[1].begin() + qsizetype(frames), pad, 0.0f);
        frames += pad;
        m_tailPad -= pad;
    }
    m_fedAll = m_sourceEnded && m_tailPad == 0;
    const float* const input[] = {m_channels[0].data(), m_channels[1].data()};
    m_stretcher->process(input, frames, m_fedAll);
    return true;
}

qint64 StretchStream::readData(char* data, qint64 maxSize) {
    const qint64 wanted = std::min(maxSize, size() - pos()) / RecordingStream::kFrameBytes *
                          RecordingStream::kFrameBytes;
    while (!m_finished && m_outFrom + m_out.size() < pos() + wanted) {
        m_finished = !Step();
    }
    const qint64 offset = pos() - m_outFrom;
    const qint64 count = std::clamp<qint64>(m_out.size() - offset, 0, std::max<qint64>(wanted, 0));
    std::copy_n(m_out.constData() + offset, count, data);
    // Keep what a seek back may ask for again, and no more.
    const qint64 drop = std::clamp<qint64>(pos() + count - kKeptBytes - m_outFrom, 0, offset);
    m_out.remove(0, qsizetype(drop));
    m_outFrom += drop;
    return count;
}
