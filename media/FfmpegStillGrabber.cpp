#include "media/FfmpegStillGrabber.h"

#include "base/ClockText.h"
#include "media/FfmpegSupport.h"

#include <QCoreApplication>
#include <QFileInfo>

extern "C" {
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>

namespace {

struct ScalerFreer {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};

/// The MJPEG encoder's quantizer scale, from 2 (best) to 31: small files that still look clean.
constexpr int kJpegQuality = 3;
/// The widest picture a JPEG file can hold, made even.
constexpr double kWidestJpeg = 65534;

/// The first video stream that is not cover art; -1 when there is none.
int PictureStream(const AVFormatContext& format) {
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream* s = format.streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(s->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            return int(i);
        }
    }
    return -1;
}

/// Time 0 in `stream`'s time base: the start of the first audio stream, where the recording
/// decoded from the file begins, else the start of the stream itself.
int64_t Origin(const AVFormatContext& format, int stream) {
    const AVStream* video = format.streams[stream];
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream* s = format.streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            if (s->start_time != AV_NOPTS_VALUE) {
                return av_rescale_q(s->start_time, s->time_base, video->time_base);
            }
            break;
        }
    }
    return video->start_time != AV_NOPTS_VALUE ? video->start_time : 0;
}

/// The width that keeps the picture's shape at `height` pixels high, rounded to even.
int EvenWidth(const AVFrame& picture, AVRational aspect, int height) {
    if (aspect.num <= 0 || aspect.den <= 0) {
        aspect = {1, 1};
    }
    const double width =
        double(height) * picture.width * aspect.num / (double(picture.height) * aspect.den);
    return 2 * int(std::clamp(std::lround(width / 2), 1L, long(kWidestJpeg / 2)));
}

/// `picture` scaled to `width` x `height` and encoded as a JPEG into `out`; 0 or FFmpeg's
/// error code.
int EncodeJpeg(const AVFrame& picture, int width, int height, QByteArray& out) {
    const std::unique_ptr<AVFrame, FrameFreer> scaled(av_frame_alloc());
    if (!scaled) {
        return AVERROR(ENOMEM);
    }
    scaled->format = AV_PIX_FMT_YUVJ420P;
    scaled->width = width;
    scaled->height = height;
    scaled->color_range = AVCOL_RANGE_JPEG;
    int error = av_frame_get_buffer(scaled.get(), 0);
    if (error < 0) {
        return error;
    }
    const std::unique_ptr<SwsContext, ScalerFreer> scaler(
        sws_getContext(picture.width, picture.height, AVPixelFormat(picture.format), width, height,
                       AV_PIX_FMT_YUVJ420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler) {
        return AVERROR(ENOSYS);
    }
    error = sws_scale(scaler.get(), picture.data, picture.linesize, 0, picture.height, scaled->data,
                      scaled->linesize);
    if (error < 0) {
        return error;
    }
    const AVCodec* jpeg = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (!jpeg) {
        return AVERROR_ENCODER_NOT_FOUND;
    }
    const std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(jpeg));
    const std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    if (!codec || !packet) {
        return AVERROR(ENOMEM);
    }
    codec->width = width;
    codec->height = height;
    codec->pix_fmt = AV_PIX_FMT_YUVJ420P;
    codec->color_range = AVCOL_RANGE_JPEG;
    codec->time_base = {1, 25};
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = FF_QP2LAMBDA * kJpegQuality;
    // With a fixed scale the encoder takes the quality of each frame it is given.
    scaled->quality = codec->global_quality;
    error = avcodec_open2(codec.get(), jpeg, nullptr);
    if (error >= 0) {
        error = avcodec_send_frame(codec.get(), scaled.get());
    }
    if (error >= 0) {
        error = avcodec_receive_packet(codec.get(), packet.get());
    }
    if (error < 0) {
        return error;
    }
    out = QByteArray(reinterpret_cast<const char*>(packet->data), packet->size);
    return 0;
}

} // namespace

/// The opened file, its picture's decoder and the frames in hand.
struct FfmpegStillGrabber::Source {
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    std::unique_ptr<AVCodecContext, CodecFreer> codec;
    std::unique_ptr<AVPacket, PacketFreer> packet{av_packet_alloc()};
    std::unique_ptr<AVFrame, FrameFreer> frame{av_frame_alloc()};
    std::unique_ptr<AVFrame, FrameFreer> shown{av_frame_alloc()};
    int stream = -1;
    int64_t origin = 0;

    /// Puts the frame showing at `target` (in the stream's time base) into `shown`: the last
    /// one that starts at or before it, else the first; 0 or FFmpeg's error code.
    int Pick(int64_t target) {
        av_frame_unref(shown.get());
        const AVStream* video = format->streams[stream];
        // Not before the first picture: some demuxers find no key frame to go back to there.
        const int64_t from =
            video->start_time != AV_NOPTS_VALUE ? std::max(target, video->start_time) : target;
        int error = av_seek_frame(format.get(), stream, from, AVSEEK_FLAG_BACKWARD);
        if (error < 0) {
            return error;
        }
        avcodec_flush_buffers(codec.get());
        bool held = false;
        while ((error = Decode()) >= 0) {
            const int64_t pts = frame->best_effort_timestamp;
            if (held && pts != AV_NOPTS_VALUE && pts > target) {
                av_frame_unref(frame.get());
                return 0;
            }
            av_frame_unref(shown.get());
            av_frame_move_ref(shown.get(), frame.get());
            held = true;
        }
        return held && error == AVERROR_EOF ? 0 : error;
    }

private:
    /// Decodes the next frame into `frame`; AVERROR_EOF at the end of the stream.
    int Decode() {
        for (;;) {
            const int received = avcodec_receive_frame(codec.get(), frame.get());
            if (received != AVERROR(EAGAIN)) {
                return received;
            }
            FeedDecoder(*format, *codec, *packet, stream);
        }
    }
};

FfmpegStillGrabber::FfmpegStillGrabber(const QString& path) : m_name(QFileInfo(path).fileName()) {
    // The messages the user sees are ours; the libraries' own log would only garble them.
    av_log_set_level(AV_LOG_QUIET);
    auto source = std::make_unique<Source>();
    int error = OpenSource(path, source->format);
    if (error >= 0 && (!source->packet || !source->frame || !source->shown)) {
        error = AVERROR(ENOMEM);
    }
    if (error < 0) {
        m_problem = QCoreApplication::translate("Message", "%1 cannot be opened as video: %2")
                        .arg(m_name, FfmpegReason(error));
        return;
    }
    m_source = std::move(source);
    m_source->stream = PictureStream(*m_source->format);
    if (m_source->stream < 0) {
        m_problem = QCoreApplication::translate("Message", "%1 has no picture").arg(m_name);
        return;
    }
    for (unsigned i = 0; i < m_source->format->nb_streams; ++i) {
        if (int(i) != m_source->stream) {
            // Packets of the other streams are not even read.
            m_source->format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    m_source->origin = Origin(*m_source->format, m_source->stream);
    error = OpenStreamDecoder(*m_source->format->streams[m_source->stream], m_source->codec);
    if (error < 0) {
        m_problem = QCoreApplication::translate("Message", "%1 cannot be opened as video: %2")
                        .arg(m_name, FfmpegReason(error));
    }
}

FfmpegStillGrabber::~FfmpegStillGrabber() = default;

bool FfmpegStillGrabber::IsOpen() const {
    return m_source != nullptr;
}

bool FfmpegStillGrabber::HasPicture() const {
    return m_problem.isEmpty();
}

bool FfmpegStillGrabber::GrabJpeg(qint64 ms, int height, QByteArray& out, QString& error) {
    if (!m_problem.isEmpty()) {
        error = m_problem;
        return false;
    }
    if (height <= 0) {
        error =
            QCoreApplication::translate("Message", "a still cannot be %1 pixels high").arg(height);
        return false;
    }
    AVStream* video = m_source->format->streams[m_source->stream];
    const int64_t target = m_source->origin + av_rescale_q(ms, {1, 1000}, video->time_base);
    int code = m_source->Pick(target);
    if (code >= 0) {
        const AVFrame& shown = *m_source->shown;
        const AVRational aspect =
            av_guess_sample_aspect_ratio(m_source->format.get(), video, m_source->shown.get());
        code = EncodeJpeg(shown, EvenWidth(shown, aspect, height), height, out);
    }
    if (code < 0) {
        error = QCoreApplication::translate("Message", "%1 gives no still at %2: %3")
                    .arg(m_name, ClockText(ms), FfmpegReason(code));
        return false;
    }
    return true;
}
