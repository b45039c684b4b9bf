#include "subtitles/TypedTime.h"

#include <QCoreApplication>
#include <QList>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

/// Where a field's value stops growing: past it the time is too long anyway, and hours held
/// here still fit in 64 bits once counted in milliseconds.
constexpr qint64 kFieldCap = qint64(1) << 40;
/// The exclusive bound of TypedDecimal::units.
constexpr qint64 kDecimalLimit = 1000000000000000000;

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool AllDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

int DigitAt(QStringView digits, qsizetype i) {
    return i < digits.size() ? digits[i].unicode() - u'0' : 0;
}

/// The value of a run of digits, held at kFieldCap.
qint64 FieldValue(QStringView digits) {
    qint64 value = 0;
    for (QChar c : digits) {
        value = std::min(value * 10 + (c.unicode() - u'0'), kFieldCap);
    }
    return value;
}

/// Milliseconds of the digits after a point, rounded to the nearest with a half up.
qint64 FractionMs(QStringView digits) {
    const qint64 ms = DigitAt(digits, 0) * 100 + DigitAt(digits, 1) * 10 + DigitAt(digits, 2);
    return DigitAt(digits, 3) >= 5 ? ms + 1 : ms;
}

/// "digits", "digits.digits", "digits." or ".digits", split at the point; nothing otherwise.
std::optional<std::pair<QStringView, QStringView>> SplitDecimal(QStringView text) {
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || !AllDigits(whole) || !AllDigits(fraction)) {
        return std::nullopt;
    }
    return std::pair(whole, fraction);
}

TypedTime Refused(QString refusal) {
    return {std::nullopt, std::move(refusal)};
}

} // namespace

TypedTime ParseTypedTime(QStringView text) {
    QStringView rest = text.trimmed();
    const bool negative = rest.startsWith(u'-');
    if (negative) {
        rest = rest.mid(1);
    }
    const QList<QStringView> fields = rest.split(u':');
    const auto seconds = SplitDecimal(fields.back());
    const bool leadingWellFormed =
        std::all_of(fields.begin(), fields.end() - 1,
                    [](QStringView field) { return !field.isEmpty() && AllDigits(field); });
    if (fields.size() > 3 || !seconds || !leadingWellFormed) {
        return Refused(QCoreApplication::translate(
            "Message", "Type a time as h:mm:ss.mmm, mm:ss.mmm or seconds."));
    }
    if (negative) {
        return Refused(QCoreApplication::translate("Message", "A time cannot be negative."));
    }
    const qint64 hours = fields.size() == 3 ? FieldValue(fields[0]) : 0;
    const qint64 minutes = fields.size() >= 2 ? FieldValue(fields[fields.size() - 2]) : 0;
    const qint64 wholeSeconds = FieldValue(seconds->first);
    if ((fields.size() >= 2 && wholeSeconds >= 60) || (fields.size() == 3 && minutes >= 60)) {
        return Refused(
            QCoreApplication::translate("Message", "Minutes and seconds must be less than 60."));
    }
    const qint64 ms =
        ((hours * 60 + minutes) * 60 + wholeSeconds) * 1000 + FractionMs(seconds->second);
    if (ms > kMaxTypedMs) {
        return Refused(
            QCoreApplication::translate("Message", "A time cannot be longer than 10000 hours."));
    }
    return {ms, QString()};
}

qint64 MillisecondsToFrames(qint64 ms, qint32 rate) {
    if (rate <= 0) {
        return 0;
    }
    const qint64 scaled = ms * rate;
    const qint64 frames = scaled / 1000;
    const qint64 rest = scaled % 1000;
    if (2 * std::abs(rest) >= 1000) {
        return scaled < 0 ? frames - 1 : frames + 1;
    }
    return frames;
}

std::optional<TypedDecimal> ParseTypedDecimal(QStringView text) {
    QStringView rest = text.trimmed();
    const bool negative = rest.startsWith(u'-');
    if (negative || rest.startsWith(u'+')) {
        rest = rest.mid(1);
    }
    const auto parts = SplitDecimal(rest);
    if (!parts) {
        return std::nullopt;
    }
    QStringView fraction = parts->second;
    while (fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    if (fraction.size() > kMaxDecimalPlaces) {
        return std::nullopt;
    }
    qint64 units = 0;
    for (QStringView digits : {parts->first, fraction}) {
        for (QChar c : digits) {
            const int digit = c.unicode() - u'0';
            if (units > (kDecimalLimit - 1 - digit) / 10) {
                return std::nullopt;
            }
            units = units * 10 + digit;
        }
    }
    return TypedDecimal{negative ? -units : units, int(fraction.size())};
}
