#include "subtitles/ClipSet.h"

#include "base/ClockText.h"
#include "subtitles/CueList.h"
#include "subtitles/CueText.h"
#include "subtitles/SubtitleWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

constexpr int kMaxTextCharacters = 60;

/// Characters that one of Linux, Windows or macOS refuses in a file name.
bool IsUnsafe(QChar c) {
    return c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c);
}

/// The text with unsafe characters as blanks, white space collapsed, and no trailing dots or
/// blanks (which Windows drops from a name).
QString CleanName(const QString& text) {
    QString kept = text;
    for (QChar& c : kept) {
        if (IsUnsafe(c)) {
            c = QChar(' ');
        }
    }
    kept = kept.simplified();
    while (kept.endsWith(QChar('.')) || kept.endsWith(QChar(' '))) {
        kept.chop(1);
    }
    return kept;
}

/// The first `count` characters (code points: a surrogate pair is one character).
QString FirstCharacters(const QString& text, int count) {
    qsizetype end = 0;
    for (int n = 0; n < count && end < text.size(); ++n) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

/// The whole name made safe: the pattern's own characters too, the device names Windows
/// keeps for itself ("con", "lpt1.x") with a "_" before them, and the number for an empty name.
QString SafeName(const QString& name, int number) {
    static const QRegularExpression reserved(
        QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString clean = CleanName(name);
    if (clean.isEmpty()) {
        return QString::number(number);
    }
    return reserved.match(clean).hasMatch() ? QChar('_') + clean : clean;
}

/// The names a set has given, case-folded, and per name the next suffix worth trying: every
/// suffix below it is taken, so that a name given n times costs n tries in all, not n * n / 2.
struct TakenNames {
    QSet<QString> names;
    QHash<QString, int> nextSuffix;
};

/// `stem`.`extension`, or with " (2)", " (3)" ... before the extension when taken; names
/// compare without case, as on Windows and macOS.
QString UniqueName(const QString& stem, const QString& extension, TakenNames& taken) {
    const QString plain = stem + QChar('.') + extension;
    const QString key = plain.toCaseFolded();
    if (!taken.names.contains(key)) {
        taken.names.insert(key);
        return plain;
    }
    int& next = taken.nextSuffix[key];
    next = std::max(next, 2);
    while (true) {
        // One pass: a "%1" in the cue's text must stay text, not take the next argument.
        const QString name =
            QStringLiteral("%1 (%2).%3").arg(stem, QString::number(next++), extension);
        const QString folded = name.toCaseFolded();
        if (!taken.names.contains(folded)) {
            taken.names.insert(folded);
            return name;
        }
    }
}

QString PaddedNumber(int number, int digits) {
    const QString magnitude = QString::number(qAbs(qint64(number)));
    return (number < 0 ? QStringLiteral("-") : QString()) +
           magnitude.rightJustified(digits, QChar('0'));
}

/// A cue text as one index field: HTML, one line.
QString IndexField(const QString& text) {
    QString field = text.toHtmlEscaped();
    field.replace(QChar('\t'), QChar(' '));
    field.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    field.replace(QChar('\r'), QStringLiteral("<br>"));
    field.replace(QChar('\n'), QStringLiteral("<br>"));
    return field;
}

int PadFrames(int ms, qint32 rate) {
    const qint64 frames = qint64(std::max(ms, 0)) * std::max(rate, 0) / 1000;
    return int(std::min<qint64>(frames, std::numeric_limits<int>::max()));
}

} // namespace

QString DefaultClipIndexPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("index.tsv"));
}

QString SafeFileText(const QString& cueText) {
    const QString firstLine = NormalizeCueText(cueText).section(QChar('\n'), 0, 0);
    return CleanName(FirstCharacters(CleanName(firstLine), kMaxTextCharacters));
}

QString ExpandClipPattern(const QString& pattern, int number, const QString& cueText,
                          qint64 startFrame, qint32 rate, const QString& base) {
    static const QRegularExpression field(
        QStringLiteral("\\{(n(?::0(\\d{1,2}))?|text|start|base)\\}"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : field.globalMatch(pattern)) {
        out += pattern.mid(from, m.capturedStart() - from);
        const QString name = m.captured(1);
        if (name.startsWith(QChar('n'))) {
            out += PaddedNumber(number, m.captured(2).toInt());
        } else if (name == QLatin1String("text")) {
            out += SafeFileText(cueText);
        } else if (name == QLatin1String("start")) {
            out += FormatCueTime(startFrame, rate).replace(QChar(':'), QChar('-'));
        } else {
            out += base;
        }
        from = m.capturedEnd();
    }
    return out + pattern.mid(from);
}

std::vector<PlannedClip> PlanClipSet(const CueList& cues, const ClipSetOptions& options,
                                     int selStart, int selEnd, int currentCue, int frames,
                                     qint32 rate, const QString& base) {
    const int selLo = std::min(selStart, selEnd);
    // An empty selection picks the cues under its position.
    const int selHi = std::max({selStart, selEnd, selLo + 1});
    const int before = PadFrames(options.padBeforeMs, rate);
    const int after = PadFrames(options.padAfterMs, rate);
    const QString extension = ClipExtension(options.format);
    std::vector<PlannedClip> plan;
    TakenNames taken;
    for (int i = 0; i < cues.Count(); ++i) {
        const bool chosen =
            options.cues == ClipCues::All ||
            (options.cues == ClipCues::Current && i == currentCue) ||
            (options.cues == ClipCues::Selection && cues.Start(i) < selHi && cues.End(i) > selLo);
        if (!chosen || (!options.placeholders && IsPlaceholderText(cues.Text(i)))) {
            continue;
        }
        PlannedClip clip;
        clip.number = int(std::min<qint64>(qint64(options.startNumber) + qint64(plan.size()),
                                           std::numeric_limits<int>::max()));
        clip.text = ExportedCueText(cues.Text(i));
        clip.cueStart = std::min(cues.Start(i), cues.End(i));
        clip.cueEnd = std::max(cues.Start(i), cues.End(i));
        clip.start = int(std::clamp(qint64(clip.cueStart) - before, qint64(0), qint64(frames)));
        clip.end = int(std::clamp(qint64(clip.cueEnd) + after, qint64(clip.start), qint64(frames)));
        const QString stem =
            ExpandClipPattern(options.pattern, clip.number, clip.text, clip.cueStart, rate, base);
        clip.fileName = UniqueName(SafeName(stem, clip.number), extension, taken);
        plan.push_back(std::move(clip));
    }
    return plan;
}

QStringList ExistingClipFiles(const std::vector<PlannedClip>& plan, const ClipSetOptions& options) {
    const QDir folder(options.folder);
    QStringList existing;
    for (const PlannedClip& clip : plan) {
        const QString path = folder.filePath(clip.fileName);
        if (QFileInfo::exists(path)) {
            existing << path;
        }
    }
    if (!options.indexPath.isEmpty() && QFileInfo::exists(options.indexPath)) {
        existing << options.indexPath;
    }
    return existing;
}

QByteArray ClipIndexText(const std::vector<PlannedClip>& plan, qint32 rate) {
    QString out = QStringLiteral("#separator:tab\n#html:true\n");
    for (const PlannedClip& clip : plan) {
        out += QString::number(clip.number) + QChar('\t') + clip.fileName + QChar('\t') +
               FormatClock(clip.cueStart, rate) + QChar('\t') + FormatClock(clip.cueEnd, rate) +
               QChar('\t') + IndexField(clip.text) + QStringLiteral("\t[sound:") + clip.fileName +
               QStringLiteral("]\n");
    }
    return out.toUtf8();
}
