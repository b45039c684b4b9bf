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

/// The stem cut after a whole character so that it, `suffix`, a dot and an extension of
/// `extensionBytes` fit in kMaxClipNameBytes of UTF-8, without the trailing dots and blanks
/// a cut may leave.
QString FittedStem(const QString& stem, const QString& suffix, int extensionBytes) {
    const qsizetype room = kMaxClipNameBytes - suffix.toUtf8().size() - 1 - extensionBytes;
    if (stem.toUtf8().size() <= room) {
        return stem;
    }
    qsizetype end = 0;
    qsizetype bytes = 0;
    while (end < stem.size()) {
        const bool pair =
            stem[end].isHighSurrogate() && end + 1 < stem.size() && stem[end + 1].isLowSurrogate();
        const qsizetype width = pair ? 2 : 1;
        const qsizetype size = stem.mid(end, width).toUtf8().size();
        if (bytes + size > room) {
            break;
        }
        bytes += size;
        end += width;
    }
    QString cut = stem.left(end);
    while (cut.endsWith(QChar('.')) || cut.endsWith(QChar(' '))) {
        cut.chop(1);
    }
    return cut;
}

/// `stem`.`extension`, or with " (2)", " (3)" ... before the extension when taken; names
/// compare without case, as on Windows and macOS. Every name fits kMaxClipNameBytes with an
/// extension of `extensionBytes`.
QString UniqueName(const QString& stem, const QString& extension, int extensionBytes,
                   TakenNames& taken) {
    const QString plain = FittedStem(stem, {}, extensionBytes) + QChar('.') + extension;
    const QString key = plain.toCaseFolded();
    if (!taken.names.contains(key)) {
        taken.names.insert(key);
        return plain;
    }
    int& next = taken.nextSuffix[key];
    next = std::max(next, 2);
    while (true) {
        const QString suffix = QStringLiteral(" (%1)").arg(next++);
        const QString name =
            FittedStem(stem, suffix, extensionBytes) + suffix + QChar('.') + extension;
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

QString ClipFieldHtml(const QString& text) {
    return IndexField(text);
}

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
    const int joinGap = PadFrames(options.joinGapMs, rate);
    const QString extension = ClipExtension(options.format);
    // A still is named like its clip: both names must fit.
    const auto extensionBytes =
        int(std::max(extension.toUtf8().size(), options.stills ? kStillExtension.size() : 0));
    // Runs of chosen cues, each the indexes of its cues.
    std::vector<std::vector<int>> runs;
    for (int i = 0; i < cues.Count(); ++i) {
        const bool chosen =
            options.cues == ClipCues::All ||
            (options.cues == ClipCues::Current && i == currentCue) ||
            (options.cues == ClipCues::Selection && cues.Start(i) < selHi && cues.End(i) > selLo);
        if (!chosen || (!options.placeholders && IsPlaceholderText(cues.Text(i)))) {
            continue;
        }
        const bool joins =
            options.joinGapMs > 0 && !runs.empty() &&
            qint64(std::min(cues.Start(i), cues.End(i))) -
                    std::max(cues.Start(runs.back().back()), cues.End(runs.back().back())) <=
                joinGap;
        if (joins) {
            runs.back().push_back(i);
        } else {
            runs.push_back({i});
        }
    }
    std::vector<PlannedClip> plan;
    TakenNames taken;
    for (const std::vector<int>& run : runs) {
        PlannedClip clip;
        clip.number = int(std::min<qint64>(qint64(options.startNumber) + qint64(plan.size()),
                                           std::numeric_limits<int>::max()));
        QStringList texts;
        clip.cueStart = std::numeric_limits<int>::max();
        clip.cueEnd = std::numeric_limits<int>::min();
        for (const int i : run) {
            texts << ExportedCueText(cues.Text(i));
            clip.cueStart = std::min({clip.cueStart, cues.Start(i), cues.End(i)});
            clip.cueEnd = std::max({clip.cueEnd, cues.Start(i), cues.End(i)});
        }
        clip.text = texts.join(QChar('\n'));
        if (options.context) {
            const int first = run.front();
            const int last = run.back();
            clip.contextBefore = first > 0 ? ExportedCueText(cues.Text(first - 1)) : QString();
            clip.contextAfter =
                last + 1 < cues.Count() ? ExportedCueText(cues.Text(last + 1)) : QString();
        }
        clip.start = int(std::clamp(qint64(clip.cueStart) - before, qint64(0), qint64(frames)));
        clip.end = int(std::clamp(qint64(clip.cueEnd) + after, qint64(clip.start), qint64(frames)));
        const QString stem =
            ExpandClipPattern(options.pattern, clip.number, clip.text, clip.cueStart, rate, base);
        clip.fileName = UniqueName(SafeName(stem, clip.number), extension, extensionBytes, taken);
        if (options.stills) {
            clip.stillName =
                QFileInfo(clip.fileName).completeBaseName() + QChar('.') + kStillExtension;
        }
        plan.push_back(std::move(clip));
    }
    return plan;
}

void AddClipTranslations(std::vector<PlannedClip>& plan, const std::vector<Cue>& translation) {
    for (PlannedClip& clip : plan) {
        QStringList texts;
        const qint64 clipLength = qint64(clip.cueEnd) - clip.cueStart;
        for (const Cue& cue : translation) {
            const qint64 overlap =
                qint64(std::min(clip.cueEnd, cue.end)) - std::max(clip.cueStart, cue.start);
            const qint64 shorter = std::min<qint64>(clipLength, qint64(cue.end) - cue.start);
            if (overlap > 0 && 2 * overlap >= shorter) {
                texts << IndexField(ExportedCueText(cue.text));
            }
        }
        clip.translation = texts.join(QStringLiteral("<br>"));
    }
}

QStringList ExistingClipFiles(const std::vector<PlannedClip>& plan, const ClipSetOptions& options) {
    const QDir folder(options.folder);
    QStringList existing;
    for (const PlannedClip& clip : plan) {
        for (const QString& name : {clip.fileName, clip.stillName}) {
            const QString path = folder.filePath(name);
            if (!name.isEmpty() && QFileInfo::exists(path)) {
                existing << path;
            }
        }
    }
    for (const QString& path : {options.indexPath, options.deckPath}) {
        if (!path.isEmpty() && QFileInfo::exists(path)) {
            existing << path;
        }
    }
    return existing;
}

QByteArray ClipIndexText(const std::vector<PlannedClip>& plan, qint32 rate,
                         const ClipSetOptions& options) {
    const bool translated = !options.translationPath.isEmpty();
    const bool more =
        translated || options.context || options.stills || !options.deckPath.isEmpty();
    QString out = QStringLiteral("#separator:tab\n#html:true\n");
    if (more) {
        QStringList columns = {QStringLiteral("Number"), QStringLiteral("File"),
                               QStringLiteral("Start"),  QStringLiteral("End"),
                               QStringLiteral("Text"),   QStringLiteral("Audio")};
        if (translated) {
            columns << QStringLiteral("Translation");
        }
        if (options.context) {
            columns << QStringLiteral("Context before") << QStringLiteral("Context after");
        }
        if (options.stills) {
            columns << QStringLiteral("Picture");
        }
        out += QStringLiteral("#columns:") + columns.join(QChar('\t')) + QChar('\n');
        if (!options.deckPath.isEmpty()) {
            out += QStringLiteral("#deck:") + CleanName(options.deckName) + QChar('\n');
        }
    }
    for (const PlannedClip& clip : plan) {
        out += QString::number(clip.number) + QChar('\t') + clip.fileName + QChar('\t') +
               FormatClock(clip.cueStart, rate) + QChar('\t') + FormatClock(clip.cueEnd, rate) +
               QChar('\t') + IndexField(clip.text) + QStringLiteral("\t[sound:") + clip.fileName +
               QChar(']');
        if (translated) {
            out += QChar('\t') + clip.translation;
        }
        if (options.context) {
            out += QChar('\t') + IndexField(clip.contextBefore) + QChar('\t') +
                   IndexField(clip.contextAfter);
        }
        if (options.stills) {
            out += QStringLiteral("\t<img src=\"") + clip.stillName.toHtmlEscaped() +
                   QStringLiteral("\">");
        }
        out += QChar('\n');
    }
    return out.toUtf8();
}
