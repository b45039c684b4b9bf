#pragma once

#include "audio/WaveOut.h"

#include <QByteArray>
#include <QStringList>

/// A scripted output device: records every call and the bytes of each written buffer,
/// and fails the steps it is told to fail.
class FakeWaveOut : public WaveOut {
public:
    bool Open(const WaveOutFormat& format) override {
        calls << "open";
        formats.push_back(format);
        return !failOpen;
    }
    void Reset() override { calls << "reset"; }
    bool Prepare(const WaveOutBuffer&) override {
        calls << "prepare";
        return !failPrepare;
    }
    void Unprepare(const WaveOutBuffer&) override { calls << "unprepare"; }
    bool Write(const WaveOutBuffer& buffer) override {
        calls << "write";
        written = QByteArray(buffer.lpData, qsizetype(buffer.dwBufferLength));
        return !failWrite;
    }
    void Close() override { calls << "close"; }
    std::optional<qint64> PlayedBytes() const override { return std::nullopt; }
    bool IsPlaying() const override { return false; }

    QStringList calls;
    std::vector<WaveOutFormat> formats;
    QByteArray written;
    bool failOpen = false;
    bool failPrepare = false;
    bool failWrite = false;
};
