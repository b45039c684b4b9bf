#include "media/FfmpegDecoder.h"

#include "document/DecodedAudio.h"

#include "media/FfmpegSupport.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

extern "C" {
#include <libavutil/opt.h>
}

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};

class FfmpegDecoder : public AudioDecoder {
public:
    FfmpegDecoder(std::unique_ptr<AVFormatContext, FormatCloser> format,
                  std::unique_ptr<AVCodecContext, CodecFreer> codec, int stream)
        : m_format(std::move(format)), m_codec(std::move(codec)), m_stream(stream),
          m_packet(av_packet_alloc()), m_frame(av_frame_alloc()) {}

    bool IsReady() const { return m_packet && m_frame; }

    qint32 SampleRate() const override { return m_codec->sample_rate; }
    int Channels() const override { return SourceChannels() == 1 ? 1 : 2; }
    int SourceChannels() const override { return m_codec->ch_layout.nb_channels; }

    qint64 ExpectedFrames() const override {
        const AVStream* stream = m_format->streams[m_stream];
        if (stream->duration != AV_NOPTS_VALUE) {
            return av_rescale_q(stream->duration, stream->time_base, {1, SampleRate()});
        }
        if (m_format->duration != AV_NOPTS_VALUE) {
            return av_rescale(m_format->duration, SampleRate(), AV_TIME_BASE);
        }
        return 0;
    }

    bool Next(std::vector<qint16>& block) override {
        block.clear();
        while (!m_finished) {
            const int received = avcodec_receive_frame(m_codec.get(), m_frame.get());
            if (received == 0) {
                const bool converted = Convert(block);
                av_frame_unref(m_frame.get());
                if (!converted) {
                    break;
                }
                if (!block.empty()) {
                    return true;
                }
            } else if (received == AVERROR(EAGAIN)) {
                Feed();
            } else {
                break;
            }
        }
        m_finished = true;
        return false;
    }

private:
    /// Hands the decoder the next packet of the stream, or the end once the file has none.
    void Feed() {
        while (av_read_frame(m_format.get(), m_packet.get()) >= 0) {
            const bool ours = m_packet->stream_index == m_stream;
            if (ours) {
                // A damaged packet is skipped; the decoder goes on with the next one.
                avcodec_send_packet(m_codec.get(), m_packet.get());
            }
            av_packet_unref(m_packet.get());
            if (ours) {
                return;
            }
        }
        avcodec_send_packet(m_codec.get(), nullptr);
    }

    /// Converts the decoded frame into 16-bit frames; false when the converter cannot be set up.
    bool Convert(std::vector<qint16>& block) {
        if (!m_resampler && !StartResampler()) {
            return false;
        }
        const int frames = m_frame->nb_samples;
        const size_t values = size_t(frames) * size_t(Channels());
        const auto** in = const_cast<const uint8_t**>(m_frame->extended_data);
        if (m_direct) {
            block.resize(values);
            uint8_t* out = reinterpret_cast<uint8_t*>(block.data());
            const int converted = swr_convert(m_resampler.get(), &out, frames, in, frames);
            block.resize(size_t(std::max(converted, 0)) * size_t(Channels()));
            return converted >= 0;
        }
        m_doubles.resize(values);
        uint8_t* out = reinterpret_cast<uint8_t*>(m_doubles.data());
        const int converted = swr_convert(m_resampler.get(), &out, frames, in, frames);
        if (converted < 0) {
            return false;
        }
        block.resize(size_t(converted) * size_t(Channels()));
        ToSamples16(m_doubles.data(), qint64(block.size()), block.data());
        return true;
    }

    /// Converts to interleaved doubles at the same rate (exact for every integer source), so
    /// that rounding to 16 bits is ours; a mix-down is scaled so that it cannot clip. Floating
    /// point and 16-bit sources of one or two channels (what compressed formats decode to)
    /// go straight to 16 bits: the library rounds floats to the nearest and saturates, as we
    /// do, and is several times faster at it.
    bool StartResampler() {
        const AVSampleFormat source = av_get_packed_sample_fmt(AVSampleFormat(m_frame->format));
        m_direct = m_frame->ch_layout.nb_channels <= 2 &&
                   (source == AV_SAMPLE_FMT_FLT || source == AV_SAMPLE_FMT_DBL ||
                    source == AV_SAMPLE_FMT_S16);
        AVChannelLayout in{};
        if (m_frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&in, m_frame->ch_layout.nb_channels);
        } else if (av_channel_layout_copy(&in, &m_frame->ch_layout) < 0) {
            return false;
        }
        AVChannelLayout out{};
        av_channel_layout_default(&out, Channels());
        SwrContext* resampler = nullptr;
        int error =
            swr_alloc_set_opts2(&resampler, &out, m_direct ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_DBL,
                                m_frame->sample_rate, &in, AVSampleFormat(m_frame->format),
                                m_frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        m_resampler.reset(resampler);
        if (error >= 0) {
            av_opt_set_double(resampler, "rematrix_maxval", 1.0, 0);
            error = swr_init(resampler);
        }
        if (error < 0) {
            m_resampler.reset();
            return false;
        }
        return true;
    }

    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVCodecContext, CodecFreer> m_codec;
    int m_stream;
    std::unique_ptr<AVPacket, PacketFreer> m_packet;
    std::unique_ptr<AVFrame, FrameFreer> m_frame;
    std::unique_ptr<SwrContext, ResamplerFreer> m_resampler;
    std::vector<double> m_doubles;
    bool m_direct = false; ///< the library converts straight to 16 bits
    bool m_finished = false;
};

} // namespace

OpenedAudio OpenAudioFile(const QString& path) {
    // The messages the user sees are ours; the libraries' own log would only garble them.
    av_log_set_level(AV_LOG_QUIET);
    const QString name = QFileInfo(path).fileName();
    const auto refused = [&name](int error) {
        return OpenedAudio{
            nullptr, QCoreApplication::translate("Message", "%1 cannot be opened as audio: %2")
                         .arg(name, FfmpegReason(error))};
    };
    AVFormatContext* opened = nullptr;
    int error = avformat_open_input(&opened, path.toUtf8().constData(), nullptr, nullptr);
    if (error < 0) {
        return refused(error);
    }
    std::unique_ptr<AVFormatContext, FormatCloser> format(opened);
    error = avformat_find_stream_info(format.get(), nullptr);
    if (error < 0) {
        return refused(error);
    }
    int stream = -1;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const bool audio = format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO;
        if (audio && stream < 0) {
            stream = int(i);
        } else {
            // Packets of the other streams are not even read.
            format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    if (stream < 0) {
        return {nullptr, QCoreApplication::translate("Message", "%1 has no audio").arg(name)};
    }
    const AVCodecParameters* parameters = format->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (codec == nullptr) {
        return refused(AVERROR_DECODER_NOT_FOUND);
    }
    std::unique_ptr<AVCodecContext, CodecFreer> context(avcodec_alloc_context3(codec));
    if (!context) {
        return refused(AVERROR(ENOMEM));
    }
    error = avcodec_parameters_to_context(context.get(), parameters);
    if (error >= 0) {
        error = avcodec_open2(context.get(), codec, nullptr);
    }
    if (error < 0) {
        return refused(error);
    }
    if (context->sample_rate <= 0 || context->ch_layout.nb_channels <= 0) {
        return refused(AVERROR_INVALIDDATA);
    }
    auto decoder = std::make_unique<FfmpegDecoder>(std::move(format), std::move(context), stream);
    if (!decoder->IsReady()) {
        return refused(AVERROR(ENOMEM));
    }
    return {std::move(decoder), {}};
}
