#include "media/FfmpegSupport.h"

int OpenSource(const QString& path, std::unique_ptr<AVFormatContext, FormatCloser>& format) {
    format.reset();
    AVFormatContext* opened = nullptr;
    int error = avformat_open_input(&opened, path.toUtf8().constData(), nullptr, nullptr);
    if (error < 0) {
        return error;
    }
    std::unique_ptr<AVFormatContext, FormatCloser> held(opened);
    error = avformat_find_stream_info(held.get(), nullptr);
    if (error < 0) {
        return error;
    }
    format = std::move(held);
    return 0;
}

int OpenStreamDecoder(const AVStream& stream, std::unique_ptr<AVCodecContext, CodecFreer>& codec) {
    codec.reset();
    const AVCodec* decoder = avcodec_find_decoder(stream.codecpar->codec_id);
    if (decoder == nullptr) {
        return AVERROR_DECODER_NOT_FOUND;
    }
    std::unique_ptr<AVCodecContext, CodecFreer> context(avcodec_alloc_context3(decoder));
    if (!context) {
        return AVERROR(ENOMEM);
    }
    int error = avcodec_parameters_to_context(context.get(), stream.codecpar);
    if (error >= 0) {
        error = avcodec_open2(context.get(), decoder, nullptr);
    }
    if (error < 0) {
        return error;
    }
    codec = std::move(context);
    return 0;
}

void FeedDecoder(AVFormatContext& format, AVCodecContext& codec, AVPacket& packet, int stream) {
    while (av_read_frame(&format, &packet) >= 0) {
        const bool ours = packet.stream_index == stream;
        if (ours) {
            avcodec_send_packet(&codec, &packet);
        }
        av_packet_unref(&packet);
        if (ours) {
            return;
        }
    }
    avcodec_send_packet(&codec, nullptr);
}
