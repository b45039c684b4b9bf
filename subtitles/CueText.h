#pragma once

#include <QString>
#include <QStringView>

/// The cue text as every writer stores it: CRs removed, each line trimmed, empty lines
/// dropped, the rest joined with single LFs and no LF at the end.
QString NormalizeCueText(const QString& text);

/// Whether a cue text marks an unattached placeholder cue: it begins with "#".
inline bool IsPlaceholderText(const QString& text) {
    return text.startsWith(QChar('#'));
}

/// The leading integer of `text` as C's atoi reads it: leading white space and one sign
/// are allowed, reading stops at the first non-digit, 0 when there is no digit. Values
/// beyond the 32-bit range are clamped to it.
int LeadingInt(QStringView text);

/// Clock text of a frame position for .sbv files: "h:mm:ss.mmm" (milliseconds).
/// A rate of 0 or below gives 0:00:00.000.
QString FormatCueTime(qint64 position, qint32 rate);

/// Clock text of a frame position for .ass files: "h:mm:ss.cc" (hundredths).
/// A rate of 0 or below gives 0:00:00.00.
QString FormatAssTime(qint64 position, qint32 rate);
