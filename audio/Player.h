#pragma once

#include "audio/PlaySpeed.h"
#include "audio/SilentWaveOut.h"
#include "audio/WaveOut.h"

#include <memory>

class Host;
class Recording;

/// What is playing: frames start..end (end exclusive), started at host tick `tick`, at a
/// speed in tenths, once or over and over. start == end means that no play cursor is shown.
struct PlayRecord {
    int start = 0;
    int end = 0;
    quint32 tick = 0;
    int speedTenths = PlaySpeed::kNormal;
    bool looping = false;

    bool IsShowing() const { return start != end; }
};

/// Plays ranges of a recording as 16-bit stereo, streamed from its channel arrays as the
/// device asks, on an output device that stays open between plays; every play stops the one
/// before. The recording must not change while a play is prepared: stop it first. Messages
/// go through the host.
class Player {
public:
    /// Sound goes to `output`, or nowhere when it is null.
    Player(Host& host, WaveOut* output);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    /// Plays frames between a and b (either order, clamped into the recording) at
    /// `speedTenths` / 10 of their pace with the pitch kept, once or, `looping`, until
    /// stopped; an empty range plays the whole recording. On success the record says what
    /// started when; a failure shows its message and leaves the record as it was.
    void PlayRange(const Recording& recording, int a, int b, int speedTenths = PlaySpeed::kNormal,
                   bool looping = false);
    /// Ends the play cursor (the range has elapsed); the sound runs out by itself.
    void EndCursor() { m_record = PlayRecord{}; }
    /// Stops the sound at once and ends the cursor; the device stays open.
    void Stop();

    const PlayRecord& Record() const { return m_record; }
    /// Whether the output device is open.
    bool IsDeviceOpen() const { return m_hWaveOut != nullptr; }
    /// Whether a play was handed to the device and not yet taken back.
    bool IsPrepared() const { return m_bHdrPrepared; }

private:
    void CloseDevice();

    Host& m_host;
    SilentWaveOut m_silentOutput;
    WaveOut& m_output;
    WaveOut* m_hWaveOut = nullptr; ///< m_output while it is open
    WaveOutFormat m_openFormat;    ///< what the device was opened for
    WaveOutFormat m_wfx;
    WaveOutBuffer m_waveHdr;
    std::unique_ptr<QIODevice> m_stream; ///< what the device reads while prepared
    bool m_bHdrPrepared = false;
    PlayRecord m_record;
};
