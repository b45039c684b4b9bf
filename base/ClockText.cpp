#include "base/ClockText.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString Digits(quint64 value, int least) {
    return QString::number(value).rightJustified(least, QChar('0'));
}

} // namespace

QString ClockText(qint64 ms, ClockStyle style) {
    // Unsigned, so that the magnitude of the most negative count still fits.
    const quint64 magnitude = ms < 0 ? 0 - quint64(ms) : quint64(ms);
    const quint64 seconds = magnitude / 1000;
    QString out = ms < 0 ? QStringLiteral("-") : QString();
    switch (style.lead) {
    case ClockLead::Hours:
        out += Digits(seconds / 3600, style.leadDigits) + QChar(':') +
               Digits(seconds / 60 % 60, 2) + QChar(':') + Digits(seconds % 60, 2);
        break;
    case ClockLead::Minutes:
        out += Digits(seconds / 60, style.leadDigits) + QChar(':') + Digits(seconds % 60, 2);
        break;
    case ClockLead::Seconds:
        out += Digits(seconds, style.leadDigits);
        break;
    }
    if (style.fractionDigits > 0) {
        static constexpr quint64 kCut[] = {1000, 100, 10, 1};
        const int digits = std::min(style.fractionDigits, 3);
        out += QChar::fromLatin1(style.separator) + Digits(magnitude % 1000 / kCut[digits], digits);
    }
    return out;
}

qint64 FrameMilliseconds(qint64 frame, qint32 rate) {
    if (rate <= 0) {
        return 0;
    }
    return (std::max<qint64>(frame, 0) * 2000 + rate) / (2 * qint64(rate));
}

QString FormatClock(qint64 frame, qint32 rate) {
    return ClockText(FrameMilliseconds(frame, rate));
}

QString SelectionTimesText(qint64 selStart, qint64 selEnd, qint32 rate) {
    return QStringLiteral("%1 - %2 (%3)")
        .arg(FormatClock(selStart, rate), FormatClock(selEnd, rate),
             FormatClock(std::max<qint64>(selEnd - selStart, 0), rate));
}

QString PointerTimeText(qint64 frame, qint32 rate) {
    return QCoreApplication::translate("Times", "Pointer %1").arg(FormatClock(frame, rate));
}
