#include "subtitles/SubtitleReader.h"

#include "base/TextLineReader.h"
#include "subtitles/CueFormats.h"
#include "subtitles/CueText.h"
#include "subtitles/SubtitleFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

/// Lines looked at to recognise the format; held until the parser takes them.
constexpr int kProbeLines = 64;
/// Lines of a block beyond which it is malformed: a file that is no subtitle file at all
/// must not be held whole as one block.
constexpr qsizetype kMaxBlockLines = 256;

/// Milliseconds of a clock time "[h:]mm:ss[.,]fff" (up to 7 digits a field, fraction
/// digits beyond the third ignored); nothing when the text is not one.
std::optional<qint64> ParseClock(QStringView text) {
    text = text.trimmed();
    qint64 fields[3] = {0, 0, 0};
    int count = 0;
    qint64 ms = 0;
    qsizetype i = 0;
    while (true) {
        const qsizetype from = i;
        qint64 value = 0;
        for (; i < text.size() && text[i].isDigit() && i - from < 7; ++i) {
            value = value * 10 + text[i].digitValue();
        }
        if (i == from || count == 3) {
            return std::nullopt;
        }
        fields[count++] = value;
        if (i == text.size()) {
            break;
        }
        if (text[i] == u':') {
            ++i;
            continue;
        }
        if (text[i] != u'.' && text[i] != u',') {
            return std::nullopt;
        }
        const qsizetype digits = ++i;
        for (int scale = 100; i < text.size() && text[i].isDigit(); ++i, scale /= 10) {
            ms += text[i].digitValue() * scale;
        }
        if (i == digits || i != text.size()) {
            return std::nullopt;
        }
        break;
    }
    if (count < 2 || fields[count - 1] > 59 || fields[count - 2] > 59) {
        return std::nullopt;
    }
    const qint64 hours = count == 3 ? fields[0] : 0;
    return ((hours * 60 + fields[count - 2]) * 60 + fields[count - 1]) * 1000 + ms;
}

/// Whether NormalizeCueText would leave `text` as it is: most cue texts are, and checking
/// costs far less than normalising.
bool IsNormalized(QStringView text) {
    bool lineStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool lineEnd = i + 1 == text.size() || text[i + 1] == u'\n';
        if (c == u'\r' || ((lineStart || lineEnd) && c.isSpace())) {
            return false;
        }
        lineStart = c == u'\n';
    }
    return !text.isEmpty();
}

/// Whether `text` holds anything the markup cleaners change.
bool HasMarkup(QStringView text) {
    for (const QChar c : text) {
        if (c == u'<' || c == u'{' || c == u'\\' || c == u'&') {
            return true;
        }
    }
    return false;
}

/// Takes what the parsers find: cues in milliseconds become frames, malformed blocks are
/// counted.
class CueSink {
public:
    explicit CueSink(qint32 rate) : m_rate(rate) {}

    void Add(qint64 startMs, qint64 endMs, const QString& text) {
        AddScaled(startMs, endMs, text, 1000);
    }
    /// Label times keep their microseconds until they are rounded to frames.
    void AddSeconds(double start, double end, const QString& text) {
        constexpr double kMaxSeconds = 1e6;
        constexpr qint64 kPerSecond = 1000 * 1000;
        AddScaled(std::llround(std::clamp(start, 0.0, kMaxSeconds) * kPerSecond),
                  std::llround(std::clamp(end, 0.0, kMaxSeconds) * kPerSecond), text, kPerSecond);
    }
    void Skip(qint64 line) {
        if (m_read.skipped++ == 0) {
            m_read.firstSkippedLine = line;
        }
    }
    SubtitleRead Take() { return std::move(m_read); }

private:
    /// A cue whose times are in 1/`perSecond` s.
    void AddScaled(qint64 start, qint64 end, const QString& text, qint64 perSecond) {
        const QString normalized = IsNormalized(text) ? text : NormalizeCueText(text);
        if (normalized.isEmpty()) {
            return;
        }
        const int s = Frames(start, perSecond);
        const int e = Frames(end, perSecond);
        m_read.cues.push_back({s, e > s ? e : s + kMinCueLength, normalized});
    }
    /// `time` (0 or more, in 1/`perSecond` s) in frames, rounded to the nearest, clamped so
    /// that a cue still fits after it. Whole seconds and the rest are scaled apart: a time of
    /// millions of hours times a high rate does not fit in 64 bits, and must not wrap.
    int Frames(qint64 time, qint64 perSecond) const {
        constexpr qint64 kLast = std::numeric_limits<int>::max() - kMinCueLength;
        const qint64 rate = std::max(m_rate, 0);
        const qint64 seconds = time / perSecond;
        if (rate > 0 && seconds > kLast / rate) {
            return int(kLast);
        }
        const qint64 rest = (time % perSecond * rate + perSecond / 2) / perSecond;
        return int(std::min(seconds * rate + rest, kLast));
    }

    qint32 m_rate;
    SubtitleRead m_read;
};

class Parser {
public:
    explicit Parser(CueSink& sink) : m_sink(sink) {}
    virtual ~Parser() = default;
    virtual void Take(const QString& line, qint64 number) = 0;
    virtual void Finish() {}

protected:
    CueSink& m_sink;
};

/// Removes `{\...}` override blocks and turns `\N`, `\n` into line breaks, `\h` into a blank.
QString CleanAssText(QStringView text) {
    if (!HasMarkup(text)) {
        return text.toString();
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'{' && i + 1 < text.size() && text[i + 1] == u'\\') {
            const qsizetype close = text.indexOf(u'}', i);
            if (close >= 0) {
                i = close;
                continue;
            }
        }
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == u'N' || next == u'n' || next == u'h') {
                out += next == u'h' ? QChar(' ') : QChar('\n');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

/// Removes markup tags ("<i>", "</b>", "<c.name>", "<00:01.000>") and, for WebVTT, the
/// character references of its escaped characters.
QString CleanMarkup(const QString& text, bool references) {
    if (!HasMarkup(text)) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'<' && i + 1 < text.size() &&
            (text[i + 1].isLetterOrNumber() || text[i + 1] == u'/')) {
            const qsizetype close = text.indexOf(u'>', i);
            if (close >= 0) {
                i = close;
                continue;
            }
        }
        out += c;
    }
    if (references) {
        out.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&nbsp;"), QLatin1String(" "))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
    }
    return CleanAssText(out);
}

/// Formats made of blocks separated by empty lines; each block goes whole to ParseBlock.
class BlockFormatParser : public Parser {
public:
    using Parser::Parser;

    void Take(const QString& line, qint64 number) override {
        if (QStringView(line).trimmed().isEmpty()) {
            Finish();
            return;
        }
        if (m_block.isEmpty()) {
            m_blockLine = number;
        }
        if (m_block.size() < kMaxBlockLines) {
            m_block << line;
        } else {
            m_overlong = true;
        }
    }
    void Finish() override {
        if (!m_block.isEmpty() && (m_overlong || !ParseBlock(m_block))) {
            m_sink.Skip(m_blockLine);
        }
        m_block.clear();
        m_overlong = false;
    }

protected:
    /// Takes one block; false when it is malformed.
    virtual bool ParseBlock(const QStringList& block) = 0;

private:
    QStringList m_block;
    qint64 m_blockLine = 0;
    bool m_overlong = false;
};

/// SRT and WebVTT: an optional identifier line, "start --> end [settings]", text lines.
class ArrowParser : public BlockFormatParser {
public:
    ArrowParser(CueSink& sink, bool webVtt) : BlockFormatParser(sink), m_webVtt(webVtt) {}

protected:
    bool ParseBlock(const QStringList& block) override {
        if (m_webVtt && IsWebVttMetadata(block.front())) {
            return true;
        }
        const int timeLine = block.front().contains(QLatin1String("-->")) ? 0 : 1;
        if (timeLine >= block.size()) {
            return false;
        }
        const QString& times = block[timeLine];
        const qsizetype arrow = times.indexOf(QLatin1String("-->"));
        if (arrow < 0) {
            return false;
        }
        // Cue settings may follow the end time after a blank.
        QStringView endText = QStringView(times).sliced(arrow + 3).trimmed();
        const qsizetype blank = endText.indexOf(u' ');
        if (blank >= 0) {
            endText = endText.first(blank);
        }
        const std::optional<qint64> start = ParseClock(QStringView(times).first(arrow));
        const std::optional<qint64> end = ParseClock(endText);
        if (!start || !end) {
            return false;
        }
        m_sink.Add(*start, *end, CleanMarkup(block.mid(timeLine + 1).join(QChar('\n')), m_webVtt));
        return true;
    }

private:
    /// The header and the comment, style and region blocks of a WebVTT file.
    static bool IsWebVttMetadata(const QString& line) {
        for (const char* word : {"WEBVTT", "NOTE", "STYLE", "REGION"}) {
            if (line.startsWith(QLatin1String(word)) &&
                (line.size() == qsizetype(qstrlen(word)) || line[qstrlen(word)].isSpace())) {
                return true;
            }
        }
        return false;
    }

    bool m_webVtt;
};

/// SBV: "start,end", text lines.
class SbvParser : public BlockFormatParser {
public:
    using BlockFormatParser::BlockFormatParser;

protected:
    bool ParseBlock(const QStringList& block) override {
        const QStringView times = block.front();
        const qsizetype comma = times.indexOf(u',');
        if (comma < 0) {
            return false;
        }
        const std::optional<qint64> start = ParseClock(times.first(comma));
        const std::optional<qint64> end = ParseClock(times.sliced(comma + 1));
        if (!start || !end) {
            return false;
        }
        m_sink.Add(*start, *end, block.mid(1).join(QChar('\n')));
        return true;
    }
};

/// ASS and SSA: the Dialogue events of the [Events] section, fields as its Format line
/// orders them. Events in a row with the same times are the lines of one cue, as the .ass
/// sidecar writes them.
class AssParser : public Parser {
public:
    using Parser::Parser;

    void Take(const QString& line, qint64 number) override {
        const QStringView trimmed = QStringView(line).trimmed();
        if (trimmed.startsWith(u'[')) {
            m_events = trimmed.compare(QLatin1String("[Events]"), Qt::CaseInsensitive) == 0;
        } else if (m_events && trimmed.startsWith(QLatin1String("Format:"))) {
            ReadFormat(trimmed.sliced(7));
        } else if (m_events && trimmed.startsWith(QLatin1String("Dialogue:"))) {
            if (!ReadDialogue(trimmed.sliced(9))) {
                m_sink.Skip(number);
            }
        }
    }
    void Finish() override { Flush(); }

private:
    void ReadFormat(QStringView fields) {
        const QList<QStringView> names = fields.split(u',');
        m_fields = int(names.size());
        for (int i = 0; i < m_fields; ++i) {
            const QStringView name = names[i].trimmed();
            if (name.compare(QLatin1String("Start"), Qt::CaseInsensitive) == 0) {
                m_startField = i;
            } else if (name.compare(QLatin1String("End"), Qt::CaseInsensitive) == 0) {
                m_endField = i;
            }
        }
    }

    bool ReadDialogue(QStringView event) {
        // The text is the last field and may hold commas itself.
        QList<QStringView> fields;
        for (int i = 0; i + 1 < m_fields; ++i) {
            const qsizetype comma = event.indexOf(u',');
            if (comma < 0) {
                return false;
            }
            fields << event.first(comma);
            event = event.sliced(comma + 1);
        }
        const std::optional<qint64> start = ParseClock(fields.value(m_startField));
        const std::optional<qint64> end = ParseClock(fields.value(m_endField));
        if (!start || !end) {
            return false;
        }
        const QString text = CleanAssText(event);
        if (m_hasPending && *start == m_start && *end == m_end) {
            m_pending += QChar('\n') + text;
            return true;
        }
        Flush();
        m_hasPending = true;
        m_start = *start;
        m_end = *end;
        m_pending = text;
        return true;
    }

    void Flush() {
        if (m_hasPending) {
            m_sink.Add(m_start, m_end, m_pending);
        }
        m_hasPending = false;
    }

    bool m_events = false;
    int m_fields = 10;
    int m_startField = 1;
    int m_endField = 2;
    bool m_hasPending = false;
    QString m_pending;
    qint64 m_start = 0;
    qint64 m_end = 0;
};

/// Label files: "start<TAB>end[<TAB>text]" in seconds per line; the frequency lines some
/// editors add after a label begin with a backslash.
class LabelParser : public Parser {
public:
    using Parser::Parser;

    void Take(const QString& line, qint64 number) override {
        if (line.trimmed().isEmpty() || line.startsWith(u'\\')) {
            return;
        }
        const QList<QStringView> fields = QStringView(line).split(u'\t');
        bool startOk = false;
        bool endOk = fields.size() >= 2;
        const double start = fields[0].trimmed().toDouble(&startOk);
        const double end = endOk ? fields[1].trimmed().toDouble(&endOk) : 0;
        if (!startOk || !endOk || !std::isfinite(start) || !std::isfinite(end)) {
            m_sink.Skip(number);
            return;
        }
        m_sink.AddSeconds(start, end, fields.size() > 2 ? line.section(u'\t', 2) : QString());
    }
};

std::unique_ptr<Parser> MakeParser(SubtitleFormat format, CueSink& sink) {
    switch (format) {
    case SubtitleFormat::Srt:
        return std::make_unique<ArrowParser>(sink, false);
    case SubtitleFormat::WebVtt:
        return std::make_unique<ArrowParser>(sink, true);
    case SubtitleFormat::Ass:
        return std::make_unique<AssParser>(sink);
    case SubtitleFormat::Sbv:
        return std::make_unique<SbvParser>(sink);
    case SubtitleFormat::Labels:
        return std::make_unique<LabelParser>(sink);
    }
    return nullptr;
}

/// Whether a file whose first lines are `probe` is a text of no subtitle format: its lines fit
/// none, and its name claims none with times (a label file's .txt is also a plain text's).
bool IsPlainText(const QStringList& probe, const QString& path) {
    if (DetectSubtitleFormat(probe, QString())) {
        return false;
    }
    const std::optional<SubtitleFormat> named = SubtitleFormatOfName(path);
    return !named || *named == SubtitleFormat::Labels;
}

// Only the first lines are held to recognise the format; the rest go to the parser one at
// a time, so a file of any size costs its cues and one chunk. With `scriptFrames`, a plain
// text goes to the cue sidecar reader instead.
std::optional<SubtitleRead> ReadFile(const QString& path, qint32 rate,
                                     std::optional<int> scriptFrames) {
    TextLineReader file(path);
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    QStringList probe;
    while (probe.size() < kProbeLines) {
        std::optional<QString> line = file.NextLine();
        if (!line) {
            break;
        }
        probe << std::move(*line);
    }
    if (scriptFrames && IsPlainText(probe, path)) {
        if (!file.Restart()) {
            return std::nullopt;
        }
        CueSidecarRead text = ReadCueSidecarLines(file, *scriptFrames);
        SubtitleRead read;
        read.cues = std::move(text.cues);
        read.plainScript = text.script;
        return read;
    }
    CueSink sink(rate);
    const std::optional<SubtitleFormat> format = DetectSubtitleFormat(probe, path);
    std::unique_ptr<Parser> parser = MakeParser(format.value_or(SubtitleFormat::Srt), sink);
    qint64 number = 0;
    for (const QString& line : probe) {
        parser->Take(line, ++number);
    }
    while (const std::optional<QString> line = file.NextLine()) {
        parser->Take(*line, ++number);
    }
    parser->Finish();
    return sink.Take();
}

} // namespace

std::optional<SubtitleRead> ReadSubtitleFile(const QString& path, qint32 rate) {
    return ReadFile(path, rate, std::nullopt);
}

std::optional<SubtitleRead> ReadImportedCues(const QString& path, qint32 rate, int frames) {
    return ReadFile(path, rate, frames);
}
