#include "subtitles/SubtitleWriter.h"

#include "base/ClockText.h"
#include "base/TextFile.h"
#include "base/WholeFile.h"
#include "subtitles/CueFormats.h"
#include "subtitles/CueList.h"
#include "subtitles/CueText.h"

namespace {

constexpr ClockStyle kSrtClock{.leadDigits = 2, .separator = ','};
constexpr ClockStyle kWebVttClock{.leadDigits = 2};

/// Seconds with six decimals, the last three always 0.
QString SecondsText(qint64 ms) {
    return ClockText(ms, {.lead = ClockLead::Seconds}) + QLatin1String("000");
}

QString EscapeWebVtt(QString text) {
    return text.replace(QChar('&'), QLatin1String("&amp;"))
        .replace(QChar('<'), QLatin1String("&lt;"))
        .replace(QChar('>'), QLatin1String("&gt;"));
}

/// The cues with their exported texts, for the sidecar formats.
CueList ExportedCues(const CueList& cues) {
    CueList out = cues;
    for (int i = 0; i < out.Count(); ++i) {
        out.SetText(i, ExportedCueText(out.Text(i)));
    }
    return out;
}

} // namespace

QString ExportedCueText(const QString& text) {
    const QString normalized = NormalizeCueText(text);
    return IsPlaceholderText(normalized) ? NormalizeCueText(normalized.mid(1)) : normalized;
}

QString FormatSubtitles(SubtitleFormat format, const CueList& cues, qint32 rate) {
    if (format == SubtitleFormat::Ass) {
        return FormatCueAss(ExportedCues(cues), rate);
    }
    if (format == SubtitleFormat::Sbv) {
        return FormatCueSbv(ExportedCues(cues), rate);
    }
    QString out = format == SubtitleFormat::WebVtt ? QStringLiteral("WEBVTT\n\n") : QString();
    int number = 0;
    for (int i = 0; i < cues.Count(); ++i) {
        const QString text = ExportedCueText(cues.Text(i));
        if (text.isEmpty()) {
            continue;
        }
        const qint64 start = FrameMilliseconds(cues.Start(i), rate);
        const qint64 end = FrameMilliseconds(cues.End(i), rate);
        switch (format) {
        case SubtitleFormat::Srt:
            out += QString::number(++number) + QLatin1String("\r\n") + ClockText(start, kSrtClock) +
                   QLatin1String(" --> ") + ClockText(end, kSrtClock) + QLatin1String("\r\n") +
                   QString(text).replace(QChar('\n'), QLatin1String("\r\n")) +
                   QLatin1String("\r\n\r\n");
            break;
        case SubtitleFormat::WebVtt:
            out += ClockText(start, kWebVttClock) + QLatin1String(" --> ") +
                   ClockText(end, kWebVttClock) + QChar('\n') + EscapeWebVtt(text) +
                   QLatin1String("\n\n");
            break;
        default:
            out += SecondsText(start) + QChar('\t') + SecondsText(end) + QChar('\t') +
                   QString(text).replace(QChar('\n'), QChar(' ')) + QChar('\n');
            break;
        }
    }
    return out;
}

bool WriteSubtitleFile(const QString& path, SubtitleFormat format, const CueList& cues,
                       qint32 rate) {
    const QString text = FormatSubtitles(format, cues, rate);
    if (format == SubtitleFormat::Ass || format == SubtitleFormat::Sbv) {
        return WriteTextFile(path, text);
    }
    return WriteWholeFile(path, text.toUtf8());
}
