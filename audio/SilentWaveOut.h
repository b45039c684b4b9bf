#pragma once

#include "audio/WaveOut.h"

/// An output that accepts every buffer and plays nothing: for running without sound.
class SilentWaveOut : public WaveOut {
public:
    bool Open(const WaveOutFormat&) override { return true; }
    void Reset() override {}
    bool Prepare(const WaveOutBuffer&) override { return true; }
    void Unprepare(const WaveOutBuffer&) override {}
    bool Write(const WaveOutBuffer&) override { return true; }
    void Close() override {}
    std::optional<qint64> PlayedBytes() const override { return std::nullopt; }
    bool IsPlaying() const override { return false; }
};
