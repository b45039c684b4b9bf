#include "subtitles/CueFormats.h"

#include "subtitles/CueText.h"
#include "subtitles/TextFile.h"

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

} // namespace

std::vector<Cue> ReadCueTxt(const QStringList& lines) {
    std::vector<Cue> cues;
    QString pending;
    bool inBlock = false;
    int start = 0;
    int end = kMinCueLength;
    for (const QString& raw : lines) {
        const QString line = NormalizeCueText(raw);
        if (line.isEmpty()) {
            if (!pending.isEmpty()) {
                cues.push_back({start, end, pending});
            }
            pending.clear();
            inBlock = false;
        } else if (inBlock) {
            if (!pending.isEmpty()) {
                pending += QChar('\n');
            }
            pending += line;
        } else if (line.startsWith(QChar('['))) {
            const QStringView rest = QStringView(line).sliced(1);
            start = qMax(0, LeadingInt(rest));
            const qsizetype comma = rest.indexOf(QChar(','));
            if (comma >= 0) {
                const qint64 e = LeadingInt(rest.sliced(comma + 1));
                inBlock = true;
                end = e - start < kMinCueLength
                          ? int(std::min<qint64>(qint64(start) + kMinCueLength,
                                                 std::numeric_limits<int>::max()))
                          : int(e);
            }
        }
    }
    if (!pending.isEmpty()) {
        cues.push_back({start, end, pending});
    }
    return cues;
}

std::vector<Cue> ImportPlainScript(const QStringList& lines, int frames) {
    std::vector<QString> paragraphs;
    QString pending;
    for (const QString& raw : lines) {
        const QString line = NormalizeCueText(raw);
        if (!line.isEmpty()) {
            pending += line + QChar('\n');
        } else if (!pending.isEmpty()) {
            paragraphs.push_back(pending);
            pending.clear();
        }
    }
    if (!pending.isEmpty()) {
        paragraphs.push_back(pending);
    }
    std::vector<Cue> cues;
    if (paragraphs.empty() || frames <= 0) {
        return cues;
    }
    const int share = frames / int(paragraphs.size());
    int position = 0;
    for (const QString& text : paragraphs) {
        cues.push_back({position, position + share, QChar('#') + text});
        position += share;
    }
    return cues;
}

std::vector<Cue> ReadCueSidecar(const QString& path, int frames) {
    const std::optional<QStringList> lines = ReadTextLines(path);
    if (!lines) {
        return {};
    }
    std::vector<Cue> cues = ReadCueTxt(*lines);
    return cues.empty() ? ImportPlainScript(*lines, frames) : cues;
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
