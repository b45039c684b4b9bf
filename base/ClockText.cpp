#include "base/ClockText.h"

#include <QCoreApplication>

#include <algorithm>

qint64 FrameMilliseconds(qint64 frame, qint32 rate) {
    if (rate <= 0) {
        return 0;
    }
    return (std::max<qint64>(frame, 0) * 2000 + rate) / (2 * qint64(rate));
}

QString FormatClock(qint64 frame, qint32 rate) {
    const qint64 ms = FrameMilliseconds(frame, rate);
    return QString::asprintf("%lld:%02lld:%02lld.%03lld", ms / 3600000, ms / 60000 % 60,
                             ms / 1000 % 60, ms % 1000);
}

QString SelectionTimesText(qint64 selStart, qint64 selEnd, qint32 rate) {
    return QStringLiteral("%1 - %2 (%3)")
        .arg(FormatClock(selStart, rate), FormatClock(selEnd, rate),
             FormatClock(std::max<qint64>(selEnd - selStart, 0), rate));
}

QString PointerTimeText(qint64 frame, qint32 rate) {
    return QCoreApplication::translate("Times", "Pointer %1").arg(FormatClock(frame, rate));
}
