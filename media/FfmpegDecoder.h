#pragma once

#include "recording/AudioDecoder.h"

#include <QString>

#include <memory>

/// Opens the first audio stream of any file FFmpeg can demux (audio or video) for decoding at
/// its own rate: a mono stream stays mono, more than two channels are mixed down to stereo.
/// Where the stream changes its channels or rate on the way, the rest is mixed and resampled
/// to the format it began with.
OpenedAudio OpenAudioFile(const QString& path);
