#pragma once

#include "media/FfmpegSupport.h"

#include <QtGlobal>

#include <memory>
#include <vector>

/// Turns decoded frames into interleaved 16-bit frames of one fixed format (the recording's
/// channels, 1 or 2, and rate), whatever format each frame comes in. A stream may change its
/// layout, rate or sample format on the way (broadcasts switch between 5.1 and stereo): the
/// first frame in a new format gets a converter of its own, once the old one has handed over
/// what it held back.
class FrameConverter {
public:
    /// `channels` (1 or 2) and `rate` (frames per second) of what comes out.
    FrameConverter(int channels, qint32 rate);
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    /// Appends the frames of `frame` to `block`; false when its format cannot be converted.
    bool Convert(const AVFrame& frame, std::vector<qint16>& block);
    /// Appends the frames that resampling still holds back; at the end of the stream.
    bool Flush(std::vector<qint16>& block);

private:
    bool Follows(const AVFrame& frame) const;
    bool Start(const AVFrame& frame);
    /// Converts `count` frames at `in` (none: drains what is held back), appending to `block`.
    bool Run(const uint8_t** in, int count, std::vector<qint16>& block);

    int m_channels;
    qint32 m_rate;
    std::unique_ptr<SwrContext, ResamplerFreer> m_resampler;
    // The source format the converter was set up for.
    int m_sourceFormat = AV_SAMPLE_FMT_NONE;
    AVChannelLayout m_sourceLayout{};
    int m_sourceRate = 0;
    bool m_direct = false; ///< the library converts straight to 16 bits
    std::vector<double> m_doubles;
};
