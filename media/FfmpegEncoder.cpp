#include "media/FfmpegEncoder.h"

#include "media/FfmpegSupport.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

namespace {

struct IoFreer {
    void operator()(AVIOContext* p) const {
        av_freep(&p->buffer);
        avio_context_free(&p);
    }
};
struct MuxerFreer {
    void operator()(AVFormatContext* p) const { avformat_free_context(p); }
};
struct SamplesFreer {
    void operator()(uint8_t** p) const {
        av_freep(&p[0]);
        av_freep(&p);
    }
};

/// The file being written, in memory; muxers seek back to fill in their headers.
struct MemoryFile {
    QByteArray bytes;
    qint64 pos = 0;
};

using WriteBuffer = std::conditional_t<(LIBAVFORMAT_VERSION_MAJOR >= 61), const uint8_t*, uint8_t*>;

int WriteToMemory(void* opaque, WriteBuffer buffer, int size) {
    auto* file = static_cast<MemoryFile*>(opaque);
    const qint64 end = file->pos + size;
    if (end > file->bytes.capacity()) {
        // Grown by doubling: a muxer writes in many small pieces.
        file->bytes.reserve(std::max(end, 2 * file->bytes.capacity()));
    }
    if (end > file->bytes.size()) {
        file->bytes.resize(end);
    }
    std::memcpy(file->bytes.data() + file->pos, buffer, size_t(size));
    file->pos = end;
    return size;
}

int64_t SeekInMemory(void* opaque, int64_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return file->bytes.size();
    case SEEK_SET:
        return file->pos = offset;
    case SEEK_CUR:
        return file->pos += offset;
    case SEEK_END:
        return file->pos = file->bytes.size() + offset;
    default:
        return AVERROR(EINVAL);
    }
}

struct Codec {
    const char* encoder;
    const char* muxer;
};

Codec CodecOf(ClipFormat format) {
    switch (format) {
    case ClipFormat::Flac:
        return {"flac", "flac"};
    case ClipFormat::Mp3:
        return {"libmp3lame", "mp3"};
    default:
        return {"libopus", "ogg"};
    }
}

/// 16 bits where the encoder takes them (planar first: it is what the channel arrays are).
AVSampleFormat SampleFormatOf(const AVCodec* codec) {
    for (const AVSampleFormat f : {AV_SAMPLE_FMT_S16P, AV_SAMPLE_FMT_S16}) {
        for (const AVSampleFormat* p = codec->sample_fmts; p && *p != AV_SAMPLE_FMT_NONE; ++p) {
            if (*p == f) {
                return f;
            }
        }
    }
    return codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
}

/// The recording's rate where the encoder takes it, else the nearest above, else the highest.
int RateOf(const AVCodec* codec, ClipFormat format, int rate) {
    if (format == ClipFormat::Opus) {
        return 48000;
    }
    if (!codec->supported_samplerates) {
        return rate;
    }
    int above = 0;
    int highest = 0;
    for (const int* r = codec->supported_samplerates; *r != 0; ++r) {
        if (*r >= rate && (above == 0 || *r < above)) {
            above = *r;
        }
        highest = std::max(highest, *r);
    }
    return above != 0 ? above : highest;
}

/// One clip's encoding: the codec, the muxer writing into memory, and their buffers.
class ClipEncoding {
public:
    /// Sets the encoder and muxer up; an empty text when they are ready.
    QString Open(ClipFormat format, int rate) {
        const Codec names = CodecOf(format);
        const AVCodec* codec = avcodec_find_encoder_by_name(names.encoder);
        AVFormatContext* muxer = nullptr;
        avformat_alloc_output_context2(&muxer, nullptr, names.muxer, nullptr);
        m_muxer.reset(muxer);
        if (!codec || !m_muxer) {
            return QCoreApplication::translate("Message", "no encoder for %1 files")
                .arg(ClipExtension(format));
        }
        m_codec.reset(avcodec_alloc_context3(codec));
        m_packet.reset(av_packet_alloc());
        if (!m_codec || !m_packet) {
            return FfmpegReason(AVERROR(ENOMEM));
        }
        AVCodecContext* c = m_codec.get();
        c->sample_rate = RateOf(codec, format, rate);
        c->sample_fmt = SampleFormatOf(codec);
        av_channel_layout_default(&c->ch_layout, 2);
        c->time_base = {1, c->sample_rate};
        if (format == ClipFormat::Mp3) {
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = FF_QP2LAMBDA * 2;
        } else if (format == ClipFormat::Opus) {
            c->bit_rate = 96000;
        }
        if (m_muxer->oformat->flags & AVFMT_GLOBALHEADER) {
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
        int error = avcodec_open2(c, codec, nullptr);
        m_stream = error < 0 ? nullptr : avformat_new_stream(m_muxer.get(), nullptr);
        if (error < 0 || !m_stream) {
            return FfmpegReason(error < 0 ? error : AVERROR(ENOMEM));
        }
        m_stream->time_base = c->time_base;
        error = avcodec_parameters_from_context(m_stream->codecpar, c);
        constexpr int kIoBytes = 1 << 16;
        auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBytes));
        m_io.reset(buffer ? avio_alloc_context(buffer, kIoBytes, 1, &m_file, nullptr, WriteToMemory,
                                               SeekInMemory)
                          : nullptr);
        if (!m_io) {
            av_free(buffer);
            return FfmpegReason(AVERROR(ENOMEM));
        }
        m_muxer->pb = m_io.get();
        m_muxer->flags |= AVFMT_FLAG_CUSTOM_IO;
        if (error >= 0) {
            error = avformat_write_header(m_muxer.get(), nullptr);
        }
        return error < 0 ? FfmpegReason(error) : QString();
    }

    /// Converts and encodes the frames, then finishes the file; an empty text when done.
    QString Write(const qint16* left, const qint16* right, int frames, int rate) {
        const AVCodecContext* c = m_codec.get();
        SwrContext* raw = nullptr;
        AVChannelLayout stereo{};
        av_channel_layout_default(&stereo, 2);
        int error = swr_alloc_set_opts2(&raw, &stereo, c->sample_fmt, c->sample_rate, &stereo,
                                        AV_SAMPLE_FMT_S16P, rate, 0, nullptr);
        const std::unique_ptr<SwrContext, ResamplerFreer> resampler(raw);
        if (error >= 0) {
            error = swr_init(raw);
        }
        if (error < 0) {
            return FfmpegReason(error);
        }
        // Everything at once into one buffer (the resampler's tail fits in the slack), then
        // cut into the encoder's frames.
        const int capacity = swr_get_out_samples(raw, frames) + 4096;
        uint8_t** converted = nullptr;
        error =
            av_samples_alloc_array_and_samples(&converted, nullptr, 2, capacity, c->sample_fmt, 0);
        const std::unique_ptr<uint8_t*, SamplesFreer> hold(error >= 0 ? converted : nullptr);
        if (error < 0) {
            return FfmpegReason(error);
        }
        const uint8_t* in[2] = {reinterpret_cast<const uint8_t*>(left),
                                reinterpret_cast<const uint8_t*>(right)};
        const int got = swr_convert(raw, converted, capacity, in, frames);
        if (got < 0) {
            return FfmpegReason(got);
        }
        const int offset = got * av_get_bytes_per_sample(c->sample_fmt) *
                           (av_sample_fmt_is_planar(c->sample_fmt) ? 1 : 2);
        uint8_t* rest[2] = {converted[0] + offset, av_sample_fmt_is_planar(c->sample_fmt)
                                                       ? converted[1] + offset
                                                       : nullptr};
        const int flushed = swr_convert(raw, rest, capacity - got, nullptr, 0);
        if (flushed < 0) {
            return FfmpegReason(flushed);
        }
        const int total = got + flushed;
        const bool anySize = c->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
        const int step = anySize || c->frame_size <= 0 ? 4096 : c->frame_size;
        for (int at = 0; at < total && error >= 0; at += step) {
            error = SendFrame(converted, at, std::min(step, total - at));
        }
        if (error >= 0) {
            error = Drain(nullptr);
        }
        if (error >= 0) {
            error = av_write_trailer(m_muxer.get());
        }
        avio_flush(m_io.get());
        return error < 0 ? FfmpegReason(error) : QString();
    }

    QByteArray Bytes() const { return m_file.bytes; }

private:
    int SendFrame(uint8_t* const* samples, int at, int count) {
        const std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
        if (!frame) {
            return AVERROR(ENOMEM);
        }
        const AVCodecContext* c = m_codec.get();
        frame->nb_samples = count;
        frame->format = c->sample_fmt;
        frame->sample_rate = c->sample_rate;
        frame->pts = at;
        int error = av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
        if (error >= 0) {
            error = av_frame_get_buffer(frame.get(), 0);
        }
        if (error >= 0) {
            error = av_samples_copy(frame->extended_data, samples, 0, at, count, 2, c->sample_fmt);
        }
        return error < 0 ? error : Drain(frame.get());
    }

    /// Sends `frame` (nothing: the end) and writes every packet the encoder has ready.
    int Drain(const AVFrame* frame) {
        int error = avcodec_send_frame(m_codec.get(), frame);
        while (error >= 0) {
            error = avcodec_receive_packet(m_codec.get(), m_packet.get());
            if (error < 0) {
                break;
            }
            av_packet_rescale_ts(m_packet.get(), m_codec->time_base, m_stream->time_base);
            m_packet->stream_index = m_stream->index;
            error = av_interleaved_write_frame(m_muxer.get(), m_packet.get());
        }
        return error == AVERROR(EAGAIN) || error == AVERROR_EOF ? 0 : error;
    }

    MemoryFile m_file;
    // Freed in reverse: the muxer before the writer it uses.
    std::unique_ptr<AVIOContext, IoFreer> m_io;
    std::unique_ptr<AVFormatContext, MuxerFreer> m_muxer;
    std::unique_ptr<AVCodecContext, CodecFreer> m_codec;
    std::unique_ptr<AVPacket, PacketFreer> m_packet;
    AVStream* m_stream = nullptr;
};

} // namespace

bool FfmpegClipEncoder::Encode(ClipFormat format, const qint16* left, const qint16* right,
                               int frames, qint32 rate, QByteArray& out, QString& error) {
    if (format == ClipFormat::Wav) {
        return m_wav.Encode(format, left, right, frames, rate, out, error);
    }
    ClipEncoding encoding;
    error = encoding.Open(format, rate);
    if (error.isEmpty()) {
        error = encoding.Write(left, right, frames, rate);
    }
    if (!error.isEmpty()) {
        return false;
    }
    out = encoding.Bytes();
    return true;
}
