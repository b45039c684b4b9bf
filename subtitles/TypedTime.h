#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

// Numbers and times as a person types them into a field or onto the command line.

/// The most digits a typed decimal keeps after the point, once trailing zeros are dropped:
/// nine places of a millisecond or of a frame rate are finer than any cue can be placed.
constexpr int kMaxDecimalPlaces = 9;

/// A typed time: the milliseconds it stands for, or why it is refused.
struct TypedTime {
    std::optional<qint64> ms;
    QString refusal; ///< a sentence for the user; empty when the time is accepted
};

/// The longest time ParseTypedTime accepts: 10000 hours, far past any recording, and small
/// enough that times in frames at any rate fit in 64 bits.
constexpr qint64 kMaxTypedMs = qint64(10000) * 3600 * 1000;

/// Reads "h:mm:ss.mmm", "mm:ss.mmm" or seconds ("12.5", "0:01:02.345", "01:02.3"), blanks
/// around allowed. The leading field takes any value ("90" is a minute and a half, "75:00"
/// an hour and a quarter); a field after it must be below 60. Only the seconds take a
/// fraction, of any number of digits ("12.", ".5" too): a fraction finer than a millisecond
/// rounds to the nearest one, a half up, as times are shown to the millisecond.
/// A leading minus is refused as negative, and times beyond kMaxTypedMs as too long.
TypedTime ParseTypedTime(QStringView text);

/// `ms` milliseconds in frames at `rate`, rounded to the nearest frame with halves away from
/// zero; 0 for a rate <= 0. |ms| * rate must fit in 64 bits, as it does for typed times.
qint64 MillisecondsToFrames(qint64 ms, qint32 rate);

/// A decimal number kept exactly as typed: units / 10^places, e.g. 23.976 is {23976, 3};
/// |units| below 10^18 and places from 0 to kMaxDecimalPlaces, as ParseTypedDecimal gives.
struct TypedDecimal {
    qint64 units = 0;
    int places = 0;
};

/// Reads a signed decimal number ("-12.5", "+3", "25", ".5", "4."), blanks around allowed;
/// nothing when malformed, with more than kMaxDecimalPlaces significant places or with a
/// value of 10^18 units or more.
std::optional<TypedDecimal> ParseTypedDecimal(QStringView text);
