#pragma once

// What the decoder, the encoder and the still grabber share: FFmpeg's error texts, owners of
// its objects, and the opening and feeding of a stream's decoder.

#include <QString>

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

/// FFmpeg's own words for an error code.
inline QString FfmpegReason(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromUtf8(text);
}

struct FormatCloser {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecFreer {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct ResamplerFreer {
    void operator()(SwrContext* p) const { swr_free(&p); }
};

/// Opens the file at `path` and reads its streams' parameters into `format`; FFmpeg's error
/// code when it cannot (`format` then empty), else 0.
int OpenSource(const QString& path, std::unique_ptr<AVFormatContext, FormatCloser>& format);

/// Opens a decoder for `stream` into `codec`; FFmpeg's error code when it cannot (`codec` then
/// empty), else 0.
int OpenStreamDecoder(const AVStream& stream, std::unique_ptr<AVCodecContext, CodecFreer>& codec);

/// Hands `codec` the next packet of `stream` read from `format`, or the end once the file has
/// none. A damaged packet is skipped: the decoder goes on with the next one.
void FeedDecoder(AVFormatContext& format, AVCodecContext& codec, AVPacket& packet, int stream);
