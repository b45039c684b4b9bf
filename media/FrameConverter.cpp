#include "media/FrameConverter.h"

#include "recording/DecodedAudio.h"

#include <algorithm>

extern "C" {
#include <libavutil/opt.h>
}

FrameConverter::FrameConverter(int channels, qint32 rate) : m_channels(channels), m_rate(rate) {}

FrameConverter::~FrameConverter() {
    av_channel_layout_uninit(&m_sourceLayout);
}

bool FrameConverter::Convert(const AVFrame& frame, std::vector<qint16>& block) {
    if (!m_resampler || !Follows(frame)) {
        if (!Flush(block) || !Start(frame)) {
            return false;
        }
    }
    return Run(const_cast<const uint8_t**>(frame.extended_data), frame.nb_samples, block);
}

bool FrameConverter::Flush(std::vector<qint16>& block) {
    return !m_resampler || Run(nullptr, 0, block);
}

bool FrameConverter::Follows(const AVFrame& frame) const {
    return frame.format == m_sourceFormat && frame.sample_rate == m_sourceRate &&
           av_channel_layout_compare(&frame.ch_layout, &m_sourceLayout) == 0;
}

/// Converts to interleaved doubles (exact for every integer source), so that rounding to 16
/// bits is ours; a mix-down is scaled so that it cannot clip. Floating point and 16-bit
/// sources of one or two channels (what compressed formats decode to) go straight to 16 bits:
/// the library rounds floats to the nearest and saturates, as we do, and is several times
/// faster at it.
bool FrameConverter::Start(const AVFrame& frame) {
    m_resampler.reset();
    av_channel_layout_uninit(&m_sourceLayout);
    const int channels = frame.ch_layout.nb_channels;
    if (channels <= 0 || frame.sample_rate <= 0) {
        return false;
    }
    const AVSampleFormat source = av_get_packed_sample_fmt(AVSampleFormat(frame.format));
    m_direct = channels <= 2 && (source == AV_SAMPLE_FMT_FLT || source == AV_SAMPLE_FMT_DBL ||
                                 source == AV_SAMPLE_FMT_S16);
    AVChannelLayout in{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&in, channels);
    } else if (av_channel_layout_copy(&in, &frame.ch_layout) < 0) {
        return false;
    }
    AVChannelLayout out{};
    av_channel_layout_default(&out, m_channels);
    SwrContext* resampler = nullptr;
    int error = swr_alloc_set_opts2(&resampler, &out,
                                    m_direct ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_DBL, m_rate, &in,
                                    AVSampleFormat(frame.format), frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    m_resampler.reset(resampler);
    if (error >= 0 && channels == 1 && m_channels == 2) {
        // A mono part of a stereo recording fills both channels at full level, as a mono
        // file does.
        const double both[] = {1.0, 1.0};
        error = swr_set_matrix(resampler, both, 1);
    } else if (error >= 0) {
        error = av_opt_set_double(resampler, "rematrix_maxval", 1.0, 0);
    }
    if (error >= 0) {
        error = swr_init(resampler);
    }
    if (error >= 0) {
        error = av_channel_layout_copy(&m_sourceLayout, &frame.ch_layout);
    }
    if (error < 0) {
        m_resampler.reset();
        return false;
    }
    m_sourceFormat = frame.format;
    m_sourceRate = frame.sample_rate;
    return true;
}

bool FrameConverter::Run(const uint8_t** in, int count, std::vector<qint16>& block) {
    // Resampling may give a few frames more or fewer than come in.
    const int room = swr_get_out_samples(m_resampler.get(), count);
    if (room <= 0) {
        return room == 0;
    }
    const size_t start = block.size();
    const size_t channels = size_t(m_channels);
    if (m_direct) {
        block.resize(start + size_t(room) * channels);
        auto* out = reinterpret_cast<uint8_t*>(block.data() + start);
        const int converted = swr_convert(m_resampler.get(), &out, room, in, count);
        block.resize(start + size_t(std::max(converted, 0)) * channels);
        return converted >= 0;
    }
    m_doubles.resize(size_t(room) * channels);
    auto* out = reinterpret_cast<uint8_t*>(m_doubles.data());
    const int converted = swr_convert(m_resampler.get(), &out, room, in, count);
    if (converted < 0) {
        return false;
    }
    block.resize(start + size_t(converted) * channels);
    ToSamples16(m_doubles.data(), qint64(converted) * m_channels, block.data() + start);
    return true;
}
