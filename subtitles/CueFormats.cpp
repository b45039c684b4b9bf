#include "subtitles/CueFormats.h"

#include "base/TextLineReader.h"
#include "subtitles/CueText.h"

#include <algorithm>
#include <limits>

namespace {

const char* const kAssHeader =
    "[Script Info]\n"
    "ScriptType:v4.00+\n"
    "PlayResX:1280\n"
    "PlayResY:720\n"
    "WrapStyle:0\n"
    "[V4+ Styles]\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
    "Style: Style0, Microsoft YaHei, 64, &Hffffff, &Hffff00, &H000000, &H0, 1, 0, 0, 0, "
    "100, 100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "Style: Style1, Microsoft YaHei, 64, &H78c257, &Hffff00, &H000000, &H0, 1, 0, 0, 0, "
    "100, 100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "Style: Style2, Microsoft YaHei, 64, &Hffffff, &Hffff00, &H000000, &H0, 1, 0, 0, 0, "
    "100, 100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "Style: Style3, Microsoft YaHei, 64, &H78c257, &Hffff00, &H000000, &H0, 1, 0, 0, 0, "
    "100, 100, 5, 0, 1, 13, 0, 2, , , 60, 0\n"
    "[Events]\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n";

/// Lines of a cue beyond this many share the last style's event.
constexpr int kAssStyles = 4;

/// The cues of .txt blocks, from lines given one at a time.
class BlockParser {
public:
    void Take(const QString& raw) {
        const QString line = NormalizeCueText(raw);
        if (line.isEmpty()) {
            Close();
            m_inBlock = false;
        } else if (m_inBlock) {
            if (!m_pending.isEmpty()) {
                m_pending += QChar('\n');
            }
            m_pending += line;
        } else if (line.startsWith(QChar('['))) {
            const QStringView rest = QStringView(line).sliced(1);
            m_start = qMax(0, LeadingInt(rest));
            const qsizetype comma = rest.indexOf(QChar(','));
            if (comma >= 0) {
                const qint64 e = LeadingInt(rest.sliced(comma + 1));
                m_inBlock = true;
                m_end = e - m_start < kMinCueLength
                            ? int(std::min<qint64>(qint64(m_start) + kMinCueLength,
                                                   std::numeric_limits<int>::max()))
                            : int(e);
            }
        }
    }

    std::vector<Cue> Finish() {
        Close();
        return std::move(m_cues);
    }

private:
    void Close() {
        if (!m_pending.isEmpty()) {
            m_cues.push_back({m_start, m_end, std::move(m_pending)});
        }
        m_pending.clear();
    }

    std::vector<Cue> m_cues;
    QString m_pending;
    bool m_inBlock = false;
    int m_start = 0;
    int m_end = kMinCueLength;
};

/// The paragraphs of a plain script, from lines given one at a time.
class ScriptParser {
public:
    void Take(const QString& raw) {
        const QString line = NormalizeCueText(raw);
        if (!line.isEmpty()) {
            m_pending += line + QChar('\n');
        } else {
            Close();
        }
    }

    std::vector<Cue> Finish(int frames) {
        Close();
        std::vector<Cue> cues;
        if (m_paragraphs.empty() || frames <= 0) {
            return cues;
        }
        const int share = frames / int(m_paragraphs.size());
        int position = 0;
        for (const QString& text : m_paragraphs) {
            cues.push_back({position, position + share, QChar('#') + text});
            position += share;
        }
        return cues;
    }

private:
    void Close() {
        if (!m_pending.isEmpty()) {
            m_paragraphs.push_back(std::move(m_pending));
        }
        m_pending.clear();
    }

    std::vector<QString> m_paragraphs;
    QString m_pending;
};

} // namespace

std::vector<Cue> ReadCueTxt(const QStringList& lines) {
    BlockParser blocks;
    for (const QString& line : lines) {
        blocks.Take(line);
    }
    return blocks.Finish();
}

std::vector<Cue> ImportPlainScript(const QStringList& lines, int frames) {
    ScriptParser script;
    for (const QString& line : lines) {
        script.Take(line);
    }
    return script.Finish(frames);
}

std::vector<Cue> ReadCueSidecar(const QString& path, int frames) {
    TextLineReader file(path);
    if (!file.IsOpen()) {
        return {};
    }
    return ReadCueSidecarLines(file, frames).cues;
}

// Streamed, so that a large file is never held whole, and read a second time only when it
// turns out to be a plain script.
CueSidecarRead ReadCueSidecarLines(TextLineReader& file, int frames) {
    BlockParser blocks;
    while (const std::optional<QString> line = file.NextLine()) {
        blocks.Take(*line);
    }
    std::vector<Cue> cues = blocks.Finish();
    if (!cues.empty() || !file.Restart()) {
        return {std::move(cues), false};
    }
    ScriptParser script;
    while (const std::optional<QString> line = file.NextLine()) {
        script.Take(*line);
    }
    return {script.Finish(frames), true};
}

QString CueRecord(int start, int end, const QString& text) {
    return QStringLiteral("[%1,%2]\n%3\n\n").arg(start).arg(end).arg(text);
}

QString FormatCueTxt(const CueList& cues) {
    QString out;
    for (int i = 0; i < cues.Count(); ++i) {
        out += CueRecord(cues.Start(i), cues.End(i), NormalizeCueText(cues.Text(i)));
    }
    return out;
}

QString FormatCueSbv(const CueList& cues, qint32 rate) {
    QString out;
    for (int i = 0; i < cues.Count(); ++i) {
        out += FormatCueTime(cues.Start(i), rate) + QChar(',') + FormatCueTime(cues.End(i), rate) +
               QChar('\n') + NormalizeCueText(cues.Text(i)) + QStringLiteral("\n\n");
    }
    return out;
}

QString FormatCueAss(const CueList& cues, qint32 rate) {
    QString out = QString::fromLatin1(kAssHeader);
    for (int i = 0; i < cues.Count(); ++i) {
        const QString start = FormatAssTime(cues.Start(i), rate);
        const QString end = FormatAssTime(cues.End(i), rate);
        const auto event = [&](int style, const QString& line) {
            out += QStringLiteral("Dialogue: 0,%1,%2,Style%3,,,,,,%4\n")
                       .arg(start, end, QString::number(style), line);
        };
        // The first lines get a style each; whatever is left shares the last one, run together.
        QStringList lines = NormalizeCueText(cues.Text(i)).split(QChar('\n'));
        const int ownStyles = qMin<int>(kAssStyles - 1, int(lines.size()) - 1);
        for (int style = 0; style < ownStyles; ++style) {
            event(style, lines[style]);
        }
        const QString rest = lines.mid(ownStyles).join(QString());
        if (!rest.isEmpty()) {
            event(ownStyles, rest);
        }
    }
    return out;
}

QString SidecarBase(const QString& wavPath) {
    const qsizetype slash = wavPath.lastIndexOf(QChar('/'));
    const qsizetype dot = wavPath.lastIndexOf(QChar('.'));
    return dot > slash + 1 ? wavPath.left(dot) : wavPath;
}

QString MergePairText(const QString& first, const QString& second) {
    const qsizetype lf = first.indexOf(QChar('\n'));
    if (lf > 0) {
        return first.left(lf) + QChar('\n') + second + QChar('\n') + first.mid(lf + 1) +
               QChar('\n');
    }
    return first + QChar('\n') + second + QChar('\n');
}
