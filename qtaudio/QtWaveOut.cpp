#include "qtaudio/QtWaveOut.h"

#include <QAudioSink>
#include <QMediaDevices>

namespace {

constexpr int kFeedIntervalMs = 10;
/// How much sound the sink holds ahead, in microseconds: short, so that a new play
/// starts quickly.
constexpr qint64 kSinkBufferUs = 100'000;

} // namespace

QtWaveOut::QtWaveOut() {
    m_feedTimer.setInterval(kFeedIntervalMs);
    QObject::connect(&m_feedTimer, &QTimer::timeout, [this] { Feed(); });
}

QtWaveOut::~QtWaveOut() {
    Close();
}

bool QtWaveOut::HasOutputDevice() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

bool QtWaveOut::Open(const WaveOutFormat& format) {
    Close();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || format.nSamplesPerSec <= 0) {
        return false;
    }
    QAudioFormat qtFormat;
    qtFormat.setSampleRate(format.nSamplesPerSec);
    qtFormat.setChannelCount(format.nChannels);
    qtFormat.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(qtFormat)) {
        return false;
    }
    m_device = device;
    m_format = qtFormat;
    return true;
}

void QtWaveOut::Reset() {
    m_feedTimer.stop();
    if (m_sink) {
        // reset() drops what the device still holds, so no tail of the old sound plays.
        m_sink->reset();
        m_sink->stop();
        m_sink.reset();
    }
    m_sinkInput = nullptr;
    m_nSilence = 0;
}

bool QtWaveOut::Prepare(const WaveOutBuffer& buffer) {
    return !m_device.isNull() && buffer.source && buffer.source->isReadable() &&
           buffer.length % 4 == 0;
}

void QtWaveOut::Unprepare(const WaveOutBuffer&) {
    m_source = nullptr;
    m_chunk = QByteArray();
    m_nLength = 0;
    m_nFed = 0;
}

bool QtWaveOut::Write(const WaveOutBuffer& buffer) {
    if (m_device.isNull()) {
        return false;
    }
    Reset();
    m_sink = std::make_unique<QAudioSink>(m_device, m_format);
    m_sink->setBufferSize(m_format.bytesForDuration(kSinkBufferUs));
    m_sinkInput = m_sink->start();
    if (!m_sinkInput || m_sink->error() != QAudio::NoError) {
        Reset();
        return false;
    }
    m_source = buffer.source;
    m_nLength = buffer.length;
    m_nFed = 0;
    m_nSilence = m_sink->bufferSize();
    Feed();
    m_feedTimer.start();
    return true;
}

void QtWaveOut::Feed() {
    if (!m_sink) {
        return;
    }
    const qint64 room = m_sink->bytesFree();
    if (m_nFed < m_nLength) {
        // What the sink did not take is read again next time: the source is seekable.
        m_chunk.resize(qMin(room, m_nLength - m_nFed) / 4 * 4);
        if (m_chunk.isEmpty()) {
            return;
        }
        const qint64 read =
            m_source->seek(m_nFed) ? m_source->read(m_chunk.data(), m_chunk.size()) : -1;
        if (read <= 0) {
            m_nLength = m_nFed; // the source ended early: close with the silence
            return;
        }
        m_nFed += qMax<qint64>(m_sinkInput->write(m_chunk.constData(), read), 0);
        return;
    }
    if (m_nSilence > 0) {
        const QByteArray silence(qMin(room, m_nSilence) / 4 * 4, '\0');
        m_nSilence -= qMax<qint64>(m_sinkInput->write(silence), 0);
        return;
    }
    Reset();
}

void QtWaveOut::Close() {
    Reset();
    Unprepare({});
    m_device = QAudioDevice();
}

std::optional<qint64> QtWaveOut::PlayedBytes() const {
    if (!m_sink) {
        return std::nullopt;
    }
    return qMin(m_nLength, m_format.bytesForDuration(m_sink->processedUSecs()));
}

bool QtWaveOut::IsPlaying() const {
    return m_sink != nullptr;
}
