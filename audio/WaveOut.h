#pragma once

#include <QtGlobal>

#include <optional>

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

/// The one buffer handed to the device: interleaved little-endian 16-bit frames.
struct WaveOutBuffer {
    const char* lpData = nullptr;
    quint32 dwBufferLength = 0; ///< bytes
    quint32 dwFlags = 0;
    quint32 dwLoops = 0;
};

/// A sound output that plays one buffer at a time. The caller keeps the buffer alive from
/// Prepare until Reset (or until it has played) and Unprepare.
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
