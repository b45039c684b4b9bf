#pragma once

#include "audio/WaveOut.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QTimer>

#include <memory>

class QAudioSink;
class QIODevice;

/// The real sound output: a QAudioSink on the default output device, fed from the play's
/// source a sink buffer at a time. Each play gets a fresh sink, and Reset destroys the old one, so
/// nothing of an earlier play can sound after a new one starts. Needs a running Qt event loop while
/// it plays.
///
/// The sink is fed by hand, as much as it takes each time: the sound server only starts a
/// stream once its buffer is full, so the end of a play is followed by a buffer's worth
/// of silence that pushes the last frames out.
class QtWaveOut : public WaveOut {
public:
    QtWaveOut();
    ~QtWaveOut() override;

    bool Open(const WaveOutFormat& format) override;
    void Reset() override;
    bool Prepare(const WaveOutBuffer& buffer) override;
    void Unprepare(const WaveOutBuffer& buffer) override;
    bool Write(const WaveOutBuffer& buffer) override;
    void Close() override;
    std::optional<qint64> PlayedBytes() const override;
    bool IsPlaying() const override;

    /// Whether the machine has a default output device at all.
    static bool HasOutputDevice();

private:
    /// Hands the sink what it has room for: the source, then the closing silence.
    void Feed();

    QAudioDevice m_device;
    QAudioFormat m_format;
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice* m_sinkInput = nullptr;
    QTimer m_feedTimer;
    QIODevice* m_source = nullptr;
    QByteArray m_chunk;    ///< what was read from the source for one hand-over
    qint64 m_nLength = 0;  ///< bytes of the source
    qint64 m_nFed = 0;     ///< bytes of the source handed to the sink
    qint64 m_nSilence = 0; ///< bytes of closing silence still to hand over
};
