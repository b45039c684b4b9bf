#include "subtitles/CueFigures.h"

#include "base/ClockText.h"
#include "subtitles/CueList.h"

#include <QCoreApplication>

int CueCharacters(const QString& text) {
    int count = 0;
    for (const char32_t c : text.toUcs4()) {
        count += c != U'\n' ? 1 : 0;
    }
    return count;
}

std::optional<double> CharsPerSecond(const QString& text, qint64 start, qint64 end, qint32 rate) {
    if (end <= start || rate <= 0) {
        return std::nullopt;
    }
    return CueCharacters(text) * double(rate) / double(end - start);
}

QString CpsText(std::optional<double> cps) {
    return cps ? QString::number(*cps, 'f', 1) : QString();
}

QString CueStatusText(const CueList& cues, int index, qint32 rate) {
    const qint64 start = cues.Start(index);
    const qint64 end = cues.End(index);
    const qint64 ms = FrameMilliseconds(end, rate) - FrameMilliseconds(start, rate);
    QString figures = ClockText(ms, {.lead = ClockLead::Seconds}) + QStringLiteral(" s");
    if (const std::optional<double> cps = CharsPerSecond(cues.Text(index), start, end, rate)) {
        figures += QStringLiteral(", ") + CpsText(cps) + QStringLiteral(" cps");
    }
    return QCoreApplication::translate("Message", "Cue %1: %2 - %3 (%4)")
        .arg(QString::number(index + 1), FormatClock(start, rate), FormatClock(end, rate), figures);
}
