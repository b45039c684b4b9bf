#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// What the collection stores beside a note's fields to find it again.

/// The note's fields joined as the collection stores them, by U+001F.
QString JoinedFields(const QStringList& fields);
/// The note's text without its HTML tags, as the collection sorts and checks it.
QString PlainField(const QString& field);
/// The first 8 hex digits of the SHA-1 of `plain`, as a number: what duplicate checks compare.
qint64 FieldChecksum(const QString& plain);
/// A name for the note that stays the same while it is the same clip (its deck, number,
/// times and source, fields as kClipNoteFields orders them): an import of the set again
/// updates its notes, a corrected text or translation included, rather than adding new ones.
QString NoteGuid(const QString& deckName, const QStringList& fields);
