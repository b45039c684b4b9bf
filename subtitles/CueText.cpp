#include "subtitles/CueText.h"

#include "base/ClockText.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

/// Milliseconds from the start to `position` at `rate`, cut like C's integer division (the
/// stored files were written that way); a rate <= 0 gives 0.
qint64 CutMilliseconds(qint64 position, qint32 rate) {
    if (rate <= 0) {
        return 0;
    }
    return position / rate * 1000 + position % rate * 1000 / rate;
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
    return ClockText(CutMilliseconds(position, rate));
}

QString FormatAssTime(qint64 position, qint32 rate) {
    return ClockText(CutMilliseconds(position, rate), {.fractionDigits = 2});
}
