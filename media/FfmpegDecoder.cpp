#include "media/FfmpegDecoder.h"

#include "media/FfmpegSupport.h"
#include "media/FrameConverter.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

/// Frames per byte that no encoding reaches, not even of digital silence.
constexpr double kMostFramesPerByte = 1024;
/// Room above a stream's bit rate for one that varies.
constexpr double kBitRateSlack = 1.25;

/// The frames at `rate` that the container claims the stream holds; 0 when it does not say.
qint64 ClaimedFrames(const AVFormatContext& format, int stream, qint32 rate) {
    const AVStream* audio = format.streams[stream];
    if (audio->duration != AV_NOPTS_VALUE) {
        return av_rescale_q(audio->duration, audio->time_base, {1, rate});
    }
    if (format.duration != AV_NOPTS_VALUE) {
        return av_rescale(format.duration, rate, AV_TIME_BASE);
    }
    return 0;
}

/// The most frames at `rate` that the file's bytes can hold, by the stream's own bit rate
/// (which a lying length does not change) and kMostFramesPerByte; no bound when the size is
/// unknown.
qint64 FramesTheFileCanHold(const AVFormatContext& format, int stream, qint32 rate) {
    const int64_t bytes = format.pb ? avio_size(format.pb) : -1;
    if (bytes < 0) {
        return std::numeric_limits<qint64>::max();
    }
    double frames = double(bytes) * kMostFramesPerByte;
    const int64_t bitRate = format.streams[stream]->codecpar->bit_rate;
    if (bitRate > 0) {
        frames = std::min(frames, double(bytes) * 8 * rate / double(bitRate) * kBitRateSlack);
    }
    return frames < 0x1p62 ? qint64(frames) : std::numeric_limits<qint64>::max();
}

class FfmpegDecoder : public AudioDecoder {
public:
    FfmpegDecoder(std::unique_ptr<AVFormatContext, FormatCloser> format,
                  std::unique_ptr<AVCodecContext, CodecFreer> codec, int stream)
        : m_format(std::move(format)), m_codec(std::move(codec)), m_stream(stream),
          m_packet(av_packet_alloc()), m_frame(av_frame_alloc()) {}

    bool IsReady() const { return m_packet && m_frame; }

    /// Decodes the first frame, whose format is the recording's: what the container says
    /// may describe a later part of the stream. Without a frame, the container's word stands.
    void Begin() {
        m_pending = Decode();
        const bool told =
            m_pending && m_frame->sample_rate > 0 && m_frame->ch_layout.nb_channels > 0;
        m_rate = told ? m_frame->sample_rate : m_codec->sample_rate;
        m_sourceChannels = told ? m_frame->ch_layout.nb_channels : m_codec->ch_layout.nb_channels;
        m_lastRate = m_rate;
        m_lastChannels = m_sourceChannels;
        m_expected = std::clamp(ClaimedFrames(*m_format, m_stream, m_rate), qint64(0),
                                FramesTheFileCanHold(*m_format, m_stream, m_rate));
        m_converter.emplace(Channels(), m_rate);
    }

    qint32 SampleRate() const override { return m_rate; }
    int Channels() const override { return m_sourceChannels == 1 ? 1 : 2; }
    int SourceChannels() const override { return m_sourceChannels; }
    qint64 ExpectedFrames() const override { return m_expected; }
    std::vector<SourceFormatChange> FormatChanges() const override { return m_changes; }

    bool Next(std::vector<qint16>& block) override {
        block.clear();
        while (!m_finished && (m_pending || Decode())) {
            m_pending = false;
            NoteFormat(qint64(block.size()) / Channels());
            const bool converted = m_converter->Convert(*m_frame, block);
            av_frame_unref(m_frame.get());
            if (!converted) {
                break;
            }
            if (!block.empty()) {
                return Hand(block);
            }
        }
        if (!m_finished) {
            m_finished = true;
            // What resampling held back ends the recording.
            m_converter->Flush(block);
        }
        return Hand(block);
    }

private:
    /// Decodes the next frame into m_frame; false at the end of the stream.
    bool Decode() {
        for (;;) {
            const int received = avcodec_receive_frame(m_codec.get(), m_frame.get());
            if (received == 0 && m_codec->sample_rate > 0) {
                // The MP3 decoder labels a frame with the rate of the frame before it; its
                // context holds the rate of the frame just decoded.
                m_frame->sample_rate = m_codec->sample_rate;
            }
            if (received != AVERROR(EAGAIN)) {
                return received == 0;
            }
            FeedDecoder(*m_format, *m_codec, *m_packet, m_stream);
        }
    }

    /// Keeps where the decoded frame's channels or rate differ from the frames before it;
    /// `pending` frames of the block in hand come before it.
    void NoteFormat(qint64 pending) {
        const int channels = m_frame->ch_layout.nb_channels;
        if (channels == m_lastChannels && m_frame->sample_rate == m_lastRate) {
            return;
        }
        m_lastChannels = channels;
        m_lastRate = m_frame->sample_rate;
        m_changes.push_back({m_handed + pending, channels, m_lastRate});
    }

    /// Counts the frames of `block` as handed over; false when there are none.
    bool Hand(const std::vector<qint16>& block) {
        m_handed += qint64(block.size()) / Channels();
        return !block.empty();
    }

    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVCodecContext, CodecFreer> m_codec;
    int m_stream;
    std::unique_ptr<AVPacket, PacketFreer> m_packet;
    std::unique_ptr<AVFrame, FrameFreer> m_frame;
    bool m_pending = false; ///< m_frame holds a frame not converted yet
    // The recording's format: the one the stream begins with.
    qint32 m_rate = 0;
    int m_sourceChannels = 0;
    qint64 m_expected = 0;
    std::optional<FrameConverter> m_converter;
    qint32 m_lastRate = 0;
    int m_lastChannels = 0;
    std::vector<SourceFormatChange> m_changes;
    qint64 m_handed = 0;
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
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    int error = OpenSource(path, format);
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
    std::unique_ptr<AVCodecContext, CodecFreer> context;
    error = OpenStreamDecoder(*format->streams[stream], context);
    if (error < 0) {
        return refused(error);
    }
    auto decoder = std::make_unique<FfmpegDecoder>(std::move(format), std::move(context), stream);
    if (!decoder->IsReady()) {
        return refused(AVERROR(ENOMEM));
    }
    decoder->Begin();
    if (decoder->SampleRate() <= 0 || decoder->SourceChannels() <= 0) {
        return refused(AVERROR_INVALIDDATA);
    }
    return {std::move(decoder), {}};
}
