// The clip-set planner on options and cue texts from the input, which is text, one line each:
//   start-number pad-before-ms pad-after-ms cues placeholders format frames rate sel-start
//   sel-end current-cue repeat   (integers; missing ones are 0)
//   the name pattern
//   the recording's base name
//   one cue a line: "start end text", "\n" in the text standing for a line break
// The cues are listed `repeat` times, so that a short input can ask for many equal names.
#include "FuzzCheck.h"

#include "subtitles/ClipSet.h"
#include "subtitles/CueList.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

/// The most cues planned from one input: enough for names that pile up on one another, few
/// enough that an input costs well under a second.
constexpr qint64 kMaxCues = 2000;

qint64 Field(const QStringList& fields, int i) {
    return fields.value(i).toLongLong();
}

/// `value` brought into lo..hi (hi >= lo) by wrapping, so that every input means something.
qint64 Wrap(qint64 value, qint64 lo, qint64 hi) {
    const quint64 span = quint64(hi - lo) + 1;
    return lo + qint64(quint64(value) % span);
}

Cue ParseCue(const QString& line) {
    const QStringList parts = line.split(QChar(' '));
    Cue cue;
    cue.start = int(Wrap(parts.value(0).toLongLong(), 0, std::numeric_limits<int>::max()));
    cue.end = int(Wrap(parts.value(1).toLongLong(), 0, std::numeric_limits<int>::max()));
    cue.text = line.section(QChar(' '), 2).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return cue;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(QChar('\n'));
    const QStringList fields = lines.value(0).split(QChar(' '), Qt::SkipEmptyParts);
    ClipSetOptions options;
    options.startNumber = int(Field(fields, 0));
    options.padBeforeMs = int(Field(fields, 1));
    options.padAfterMs = int(Field(fields, 2));
    options.cues = ClipCues(Wrap(Field(fields, 3), 0, 2));
    options.placeholders = Field(fields, 4) != 0;
    options.format = ClipFormat(Wrap(Field(fields, 5), 0, 3));
    const int frames = int(Wrap(Field(fields, 6), 0, std::numeric_limits<int>::max()));
    const qint32 rate = qint32(Field(fields, 7));
    const int selStart = int(Wrap(Field(fields, 8), 0, frames));
    const int selEnd = int(Wrap(Field(fields, 9), 0, frames));
    options.pattern = lines.value(1);
    const QString base = lines.value(2);

    std::vector<Cue> listed;
    for (qsizetype i = 3; i < lines.size(); ++i) {
        listed.push_back(ParseCue(lines[i]));
    }
    const qint64 most = std::max<qint64>(kMaxCues / std::max<qint64>(qint64(listed.size()), 1), 1);
    const qint64 repeat = Wrap(Field(fields, 11), 1, most);
    std::vector<Cue> all;
    for (qint64 r = 0; r < repeat; ++r) {
        all.insert(all.end(), listed.begin(), listed.end());
    }
    CueList cues;
    cues.AddCues(std::move(all));
    const int current = int(Wrap(Field(fields, 10), -1, cues.Count() - 1));

    const std::vector<PlannedClip> plan =
        PlanClipSet(cues, options, selStart, selEnd, current, frames, rate, base);
    const QString extension = QChar('.') + ClipExtension(options.format);
    QSet<QString> names;
    for (const PlannedClip& clip : plan) {
        // Names compare without case, as the file systems of Windows and macOS do.
        FUZZ_REQUIRE(!names.contains(clip.fileName.toCaseFolded()));
        names.insert(clip.fileName.toCaseFolded());
        FUZZ_REQUIRE(clip.fileName.endsWith(extension));
        FUZZ_REQUIRE(0 <= clip.start && clip.start <= clip.end && clip.end <= frames);
    }
    ClipIndexText(plan, rate);
    return 0;
}
