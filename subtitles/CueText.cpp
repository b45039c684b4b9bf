#include "subtitles/CueText.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

struct ClockTime {
    qint64 hours = 0;
    qint64 minutes = 0;
    qint64 seconds = 0;
    qint64 fraction = 0; ///< in 1/`parts` of a second
};

/// Splits a frame position into clock fields, truncating like C's integer division.
ClockTime ToClock(qint64 position, qint32 rate, qint64 parts) {
    if (rate <= 0) {
        return {};
    }
    const qint64 wholeSeconds = position / rate;
    return {wholeSeconds / 3600, wholeSeconds / 60 % 60, wholeSeconds % 60,
            position % rate * parts / rate};
}

} // namespace

QString NormalizeCueText(const QString& text) {
    QString withoutCr = text;
    withoutCr.remove(QChar('\r'));
    QStringList kept;
    for (const QString& line : withoutCr.split(QChar('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty()) {
            kept << trimmed;
        }
    }
    return kept.join(QChar('\n'));
}

int LeadingInt(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = qMin(kLimit, value * 10 + (text[i].unicode() - u'0'));
    }
    const qint64 signedValue = negative ? -value : value;
    return int(std::clamp<qint64>(signedValue, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

QString FormatCueTime(qint64 position, qint32 rate) {
    const ClockTime t = ToClock(position, rate, 1000);
    return QString::asprintf("%lld:%02lld:%02lld.%03lld", t.hours, t.minutes, t.seconds,
                             t.fraction);
}

QString FormatAssTime(qint64 position, qint32 rate) {
    const ClockTime t = ToClock(position, rate, 100);
    return QString::asprintf("%lld:%02lld:%02lld.%02lld", t.hours, t.minutes, t.seconds,
                             t.fraction);
}
