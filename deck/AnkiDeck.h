#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A flashcard deck of study clips, as one package file the flashcard program imports.

/// The fields of a clip's note, in order: Number, Text, Translation, Context before,
/// Context after, Audio, Picture, Start, End, Source.
inline const QStringList kClipNoteFields = {
    QStringLiteral("Number"),        QStringLiteral("Text"),
    QStringLiteral("Translation"),   QStringLiteral("Context before"),
    QStringLiteral("Context after"), QStringLiteral("Audio"),
    QStringLiteral("Picture"),       QStringLiteral("Start"),
    QStringLiteral("End"),           QStringLiteral("Source"),
};

struct DeckNote {
    /// As kClipNoteFields lists them (HTML allowed; Audio "[sound:NAME]", Picture
    /// "<img src=\"NAME\">"); missing fields at the end are empty, extra ones are left out.
    QStringList fields;
};

struct DeckMedia {
    QString name; ///< the file name the notes use
    QString path; ///< where the file is now
};

/// Writes `notes` of the note type "tarn clip" into a new deck `deckName`, with `media`, as a
/// package the flashcard program imports with File > Import: a zip holding "collection.anki2"
/// (an SQLite collection: tables col, notes, cards, revlog, graves, with the note type, the
/// deck and its options in col's JSON columns; one card per note from one template showing the
/// Text, the Picture and the Audio on the front and the Translation and the contexts on the
/// back), the media files renamed "0", "1" ... and "media", the JSON map from those numbers to
/// the names. A note's guid follows from its fields and the deck's name, so importing the same
/// notes again updates them rather than adding them twice. The package at `path` is replaced
/// only once it is complete (written to a temporary file in the same folder, then renamed);
/// false with `error` ("<path>: <reason>") when it cannot be written, nothing left behind.
/// Safe to call from any thread, one call at a time.
bool WriteAnkiDeck(const QString& path, const QString& deckName, const std::vector<DeckNote>& notes,
                   const std::vector<DeckMedia>& media, QString& error);
