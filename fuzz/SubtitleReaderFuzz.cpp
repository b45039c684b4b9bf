// The subtitle readers on hostile files. The first byte of the input chooses how the rest is
// read: bits 0-2 the file's name (which breaks ties between formats and names the format of a
// text that fits none), bit 3 the reader (a subtitle file, or an import that also takes .txt
// cue files and plain scripts), bits 4-6 the document's rate. The rest is the file.
#include "FuzzCheck.h"

#include "subtitles/SubtitleReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

constexpr const char* kNames[] = {"in.srt", "in.vtt", "in.ass", "in.ssa",
                                  "in.sbv", "in.txt", "in.tsv", "in"};
// A new document's rate is 0 and a WAV header's is any signed 32-bit value. The usual ones
// come from selectors that are printable characters.
constexpr qint32 kRates[] = {
    -44100, std::numeric_limits<qint32>::max(), 48000, 44100, 8000, 0, 384000, 1};
/// What a plain script is spread over: an hour at 48 kHz.
constexpr int kScriptFrames = 48000 * 3600;

QString PathFor(const char* name) {
    static const QTemporaryDir folder;
    return folder.filePath(QString::fromLatin1(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[0];
    const QString path = PathFor(kNames[choice & 7]);
    {
        QFile file(path);
        FUZZ_REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_REQUIRE(file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1)) ==
                     qint64(size - 1));
    }
    const qint32 rate = kRates[(choice >> 4) & 7];
    const bool imported = (choice & 8) != 0;
    const std::optional<SubtitleRead> read =
        imported ? ReadImportedCues(path, rate, kScriptFrames) : ReadSubtitleFile(path, rate);
    FUZZ_REQUIRE(read.has_value());
    // A .txt cue file keeps its blocks as they stand, an empty text or an end before the start
    // included (the sidecar reader always has); the subtitle formats leave such cues out.
    for (const Cue& cue : read->cues) {
        FUZZ_REQUIRE(imported || !cue.text.isEmpty());
        FUZZ_REQUIRE(imported || cue.end > cue.start);
    }
    return 0;
}
