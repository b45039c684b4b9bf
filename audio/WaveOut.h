#pragma once

#include <QtGlobal>

#include <optional>

class QIODevice;

/// The output format of a play: always 16-bit stereo PCM at the file's rate.
struct WaveOutFormat {
    quint16 wFormatTag = 1;
    quint16 nChannels = 2;
    qint32 nSamplesPerSec = 0;
    quint32 nAvgBytesPerSec = 0;
    quint16 nBlockAlign = 4;
    quint16 wBitsPerSample = 16;
    quint16 cbSize = 0;

    bool operator==(const WaveOutFormat&) const = default;
};

/// What one play hands the device: a readable, seekable source of interleaved little-endian
/// 16-bit frames, read as the device needs them.
struct WaveOutBuffer {
    QIODevice* source = nullptr;
    qint64 length = 0; ///< bytes the source holds
};

/// A sound output that plays one source at a time. The caller keeps the source alive and open
/// from Prepare until Reset (or until it has played) and Unprepare.
class WaveOut {
public:
    virtual ~WaveOut() = default;

    /// Opens the default output device for `format`; false when there is none or it refuses.
    virtual bool Open(const WaveOutFormat& format) = 0;
    /// Stops the output at once; nothing of the current buffer sounds afterwards.
    virtual void Reset() = 0;
    virtual bool Prepare(const WaveOutBuffer& buffer) = 0;
    virtual void Unprepare(const WaveOutBuffer& buffer) = 0;
    /// Starts playing a prepared buffer; output begins at once.
    virtual bool Write(const WaveOutBuffer& buffer) = 0;
    virtual void Close() = 0;
    /// Bytes of the current buffer the device has played, where it reports them.
    virtual std::optional<qint64> PlayedBytes() const = 0;
    /// Whether the device still has sound of the current buffer to play.
    virtual bool IsPlaying() const = 0;
};
