#pragma once

#include "deck/AnkiDeck.h"

#include <QString>
#include <QtGlobal>

#include <vector>

/// Writes the SQLite collection of a package into the new file `file`: the note type, the deck
/// `deckName` (id `nowMs`) and its options, and `notes` with one new card each, in order (the
/// notes' and cards' ids are `nowMs` plus their index). False with `reason` when it cannot.
bool WriteCollection(const QString& file, const QString& deckName,
                     const std::vector<DeckNote>& notes, qint64 nowMs, QString& reason);
