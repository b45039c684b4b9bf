#pragma once

#include "audio/WaveOut.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringList>

/// A scripted output device: records every call and the bytes of each play's source (all of
/// them, or the first `readLimit`), and fails the steps it is told to fail.
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
        written = buffer.source->read(readLimit < 0 ? buffer.length : readLimit);
        return !failWrite;
    }
    void Close() override { calls << "close"; }
    std::optional<qint64> PlayedBytes() const override { return std::nullopt; }
    bool IsPlaying() const override { return false; }

    QStringList calls;
    std::vector<WaveOutFormat> formats;
    QByteArray written;
    qint64 readLimit = -1;
    bool failOpen = false;
    bool failPrepare = false;
    bool failWrite = false;
};
