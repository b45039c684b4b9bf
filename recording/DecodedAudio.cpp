#include "recording/DecodedAudio.h"

#include "base/ClockText.h"
#include "recording/WaveChunks.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

qint16 ToSample16(double value) {
    // Clamping first keeps lrint inside the 16-bit range; lrint rounds to the nearest.
    return qint16(std::lrint(std::clamp(value * 32768.0, -32768.0, 32767.0)));
}

void ToSamples16(const double* values, qint64 count, qint16* out) {
    for (qint64 i = 0; i < count; ++i) {
        out[i] = ToSample16(values[i]);
    }
}

DecodeSink::DecodeSink(int channels, qint64 expectedFrames) : m_channels(channels) {
    // A wrong guess only costs a later reallocation; a hostile one must not cost the memory:
    // the room is only an address range until frames come near it.
    constexpr qint64 kMost = std::numeric_limits<int>::max();
    const qint64 expected = std::clamp<qint64>(expectedFrames, 0, kMost);
    const qint64 reserve = std::min(expected + expected / 64, kMost);
    try {
        for (SampleVector& channel : m_samples.samples) {
            channel.reserve(size_t(reserve));
        }
    } catch (const std::bad_alloc&) {
        m_samples = {};
        return;
    }
    std::vector<BackgroundPrefault::Block> blocks;
    for (SampleVector& channel : m_samples.samples) {
        blocks.push_back({channel.data(), channel.capacity() * sizeof(qint16)});
    }
    m_prefault = std::make_unique<BackgroundPrefault>(std::move(blocks));
}

bool DecodeSink::Append(const qint16* interleaved, qint64 frames) {
    const qint64 from = Frames();
    const qint64 to = from + frames;
    if (to > std::numeric_limits<int>::max()) {
        return false;
    }
    if (size_t(to) > m_samples.samples[0].capacity()) {
        // The arrays move: the pages being taken would be the old ones.
        m_prefault.reset();
    }
    try {
        for (int c = 0; c < 2; ++c) {
            m_samples.samples[c].resize(size_t(to));
        }
        for (int c = 0; c < 2; ++c) {
            m_samples.summary[c].Resize(int(to));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    qint16* left = m_samples.samples[0].data() + from;
    qint16* right = m_samples.samples[1].data() + from;
    if (m_channels == 1) {
        std::copy(interleaved, interleaved + frames, left);
        std::copy(interleaved, interleaved + frames, right);
    } else {
        for (qint64 i = 0; i < frames; ++i) {
            left[i] = interleaved[2 * i];
            right[i] = interleaved[2 * i + 1];
        }
    }
    if (m_prefault) {
        m_prefault->Filled(size_t(to) * sizeof(qint16));
    }
    const qint64 whole = to / SampleSummary::kCoarseBlock * SampleSummary::kCoarseBlock;
    if (whole > m_summarised) {
        for (int c = 0; c < 2; ++c) {
            m_samples.summary[c].Compute(m_samples.samples[c].data(), int(to), int(m_summarised),
                                         int(whole));
        }
        m_summarised = whole;
    }
    return true;
}

ChannelSamples DecodeSink::Finish() {
    m_prefault.reset();
    const int frames = int(Frames());
    for (int c = 0; c < 2; ++c) {
        m_samples.summary[c].Resize(frames);
        // The array keeps the little it reserved beyond the end: fitting it would copy an
        // hour of samples.
        m_samples.summary[c].Compute(m_samples.samples[c].data(), frames, int(m_summarised),
                                     frames);
    }
    m_summarised = frames;
    return std::move(m_samples);
}

DecodeOutcome DecodeAll(AudioDecoder& decoder, const std::atomic<bool>& stop,
                        std::atomic<qint64>& done) {
    DecodeOutcome outcome;
    DecodeSink sink(decoder.Channels(), decoder.ExpectedFrames());
    std::vector<qint16> block;
    while (decoder.Next(block)) {
        if (stop.load(std::memory_order_relaxed)) {
            outcome.status = DecodeOutcome::Status::Stopped;
            return outcome;
        }
        if (!sink.Append(block.data(), qint64(block.size()) / decoder.Channels())) {
            outcome.status = DecodeOutcome::Status::NoMemory;
            return outcome;
        }
        done.store(sink.Frames(), std::memory_order_relaxed);
    }
    outcome.samples = sink.Finish();
    return outcome;
}

namespace {

QString LayoutName(int channels) {
    return channels == 1   ? QCoreApplication::translate("Message", "mono")
           : channels == 2 ? QCoreApplication::translate("Message", "stereo")
                           : QCoreApplication::translate("Message", "%1 channels").arg(channels);
}

} // namespace

QString ImportStatus(const QString& name, const AudioDecoder& decoder) {
    QString status =
        QCoreApplication::translate("Message", "Opened %1: %2 Hz %3, decoded to 16 bits")
            .arg(name, QString::number(decoder.SampleRate()), LayoutName(decoder.SourceChannels()));
    const std::vector<SourceFormatChange> changes = decoder.FormatChanges();
    if (changes.empty()) {
        return status;
    }
    // Whole seconds: the moment is for finding the place, not for cutting at it.
    const SourceFormatChange& first = changes.front();
    status += QStringLiteral(". ") +
              QCoreApplication::translate("Message", "The format changed at %1: %2, %3 Hz")
                  .arg(FormatClock(first.frame, decoder.SampleRate()).chopped(4),
                       LayoutName(first.channels))
                  .arg(first.sampleRate);
    if (changes.size() > 1) {
        status += QChar(' ') + QCoreApplication::translate("Message", "(%n changes in all)",
                                                           nullptr, int(changes.size()));
    }
    return status;
}

QString ImportSaveName(const QString& source) {
    const QFileInfo info(source);
    const QString base = info.absolutePath() + QChar('/') + info.completeBaseName();
    const QString plain = base + QStringLiteral(".wav");
    return plain == info.absoluteFilePath() ? base + QStringLiteral(" (16-bit).wav") : plain;
}

bool WaveReaderTakes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const std::optional<WaveChunks> chunks = ReadChunks(file);
    return chunks && (chunks->dataSize <= 0 || CheckFormat(chunks->header).isEmpty());
}
