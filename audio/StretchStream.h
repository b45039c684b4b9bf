#pragma once

#include <QByteArray>
#include <QIODevice>

#include <memory>
#include <vector>

namespace RubberBand {
class RubberBandStretcher;
}

/// The sound of another stream of 16-bit stereo frames played slower or faster with its
/// pitch kept. It is stretched a block at a time as the device reads, so a play of any length
/// starts at once; the stretcher's start delay is trimmed, so the output keeps time with the
/// source at the speed. The device may seek back over what it read last (the feeder reads
/// again what its sink did not take), not further.
class StretchStream : public QIODevice {
public:
    /// Plays `source`, open for reading, at `speedTenths` / 10 of its pace; `rate` is its
    /// sample rate.
    StretchStream(std::unique_ptr<QIODevice> source, qint32 rate, int speedTenths);
    ~StretchStream() override;

    bool isSequential() const override { return false; }
    /// The source's length at the speed; the sound may end a little earlier.
    qint64 size() const override;
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    /// Runs the stretcher once: takes what it has ready, or feeds it the next block of the
    /// source. False once everything has come out.
    bool Step();
    /// Appends `frames` frames of the stretcher's output, less what the start delay trims.
    void TakeOutput(size_t frames);

    std::unique_ptr<QIODevice> m_source;
    std::unique_ptr<RubberBand::RubberBandStretcher> m_stretcher;
    int m_speedTenths;
    std::vector<float> m_channels[2];
    QByteArray m_block;
    QByteArray m_out; ///< output bytes from m_outFrom on: the last read and what is ahead
    qint64 m_outFrom = 0;
    size_t m_trim = 0;    ///< output frames still to drop for the start delay
    size_t m_tailPad = 0; ///< silent frames still to feed after the source has ended
    bool m_sourceEnded = false;
    bool m_fedAll = false; ///< the stretcher has had everything and knows it
    bool m_finished = false;
};
