#include "SyntheticRecording.h"

#include "HourFile.h"

#include <map>
#include <memory>

const Recording& SyntheticRecording(int frames) {
    // Kept for the whole run: building three hours takes seconds.
    static std::map<int, std::unique_ptr<Recording>> built;
    std::unique_ptr<Recording>& recording = built[frames];
    if (!recording) {
        ChannelSamples channels;
        const quint32 steps[2] = {331, 577};
        for (int c = 0; c < 2; ++c) {
            channels.samples[c].resize(size_t(frames));
            for (int f = 0; f < frames; ++f) {
                channels.samples[c][size_t(f)] = Sawtooth(f, steps[c]);
            }
            channels.summary[c].Resize(frames);
            channels.summary[c].Compute(channels.samples[c].data(), frames, 0, frames);
        }
        WaveFormatData format;
        format.header.SampleRate = 44100;
        recording = std::make_unique<Recording>();
        recording->Replace(format, std::move(channels));
    }
    return *recording;
}
