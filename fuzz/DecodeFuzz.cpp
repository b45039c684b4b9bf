// The decoding of foreign files on hostile input: the input is written to a file, opened as
// the program opens what its WAV reader does not take, and decoded into a recording's arrays.
#include "FuzzCheck.h"

#include "media/FfmpegDecoder.h"
#include "recording/DecodedAudio.h"

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace {

/// Frames decoded from one input at most: half a minute at 48 kHz. What a file claims to hold
/// is passed on as it is.
constexpr qint64 kMaxFrames = 48000 * 30;

/// The decoder of the file, ending once kMaxFrames are handed over.
class BoundedDecoder : public AudioDecoder {
public:
    explicit BoundedDecoder(AudioDecoder& decoder) : m_decoder(decoder) {}

    qint32 SampleRate() const override { return m_decoder.SampleRate(); }
    int Channels() const override { return m_decoder.Channels(); }
    int SourceChannels() const override { return m_decoder.SourceChannels(); }
    qint64 ExpectedFrames() const override { return m_decoder.ExpectedFrames(); }
    bool Next(std::vector<qint16>& block) override {
        if (m_frames >= kMaxFrames || !m_decoder.Next(block)) {
            block.clear();
            return false;
        }
        m_frames += qint64(block.size()) / Channels();
        return true;
    }

private:
    AudioDecoder& m_decoder;
    qint64 m_frames = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input"));
    {
        QFile file(path);
        FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_REQUIRE(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    const OpenedAudio opened = OpenAudioFile(path);
    if (!opened.decoder) {
        FUZZ_REQUIRE(!opened.message.isEmpty());
        return 0;
    }
    FUZZ_REQUIRE(opened.decoder->SampleRate() > 0);
    FUZZ_REQUIRE(opened.decoder->Channels() == 1 || opened.decoder->Channels() == 2);
    BoundedDecoder decoder(*opened.decoder);
    const std::atomic<bool> stop{false};
    std::atomic<qint64> done{0};
    const DecodeOutcome outcome = DecodeAll(decoder, stop, done);
    if (outcome.status == DecodeOutcome::Status::Ok) {
        FUZZ_REQUIRE(outcome.samples.samples[0].size() == outcome.samples.samples[1].size());
        FUZZ_REQUIRE(qint64(outcome.samples.samples[0].size()) == done.load());
    }
    return 0;
}
