#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The JSON columns of a package collection's one `col` row.

/// The note type's id, the same in every package so that every import shares one note type.
/// A change of the fields or the templates needs a new one.
constexpr qint64 kClipNoteTypeId = 1733731200000;

/// The collection's settings: the deck and the note type new cards go to.
QByteArray CollectionConfJson(qint64 deckId);
/// The models column: the "tarn clip" note type, with its fields, its one card template and
/// its style; `deckId` is the deck its cards go to, `nowSeconds` when it changed.
QByteArray ClipNoteTypesJson(qint64 deckId, qint64 nowSeconds);
/// The decks column: the default deck and the deck `name` with id `deckId`.
QByteArray DecksJson(qint64 deckId, const QString& name, qint64 nowSeconds);
/// The dconf column: the default options the decks use.
QByteArray DeckOptionsJson();
