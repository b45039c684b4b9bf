#include "deck/AnkiDeck.h"

#include "deck/Collection.h"
#include "deck/ZipPackage.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

bool WriteAnkiDeck(const QString& path, const QString& deckName, const std::vector<DeckNote>& notes,
                   const std::vector<DeckMedia>& media, QString& error) {
    QString reason;
    const auto fail = [&]() {
        error = path + QStringLiteral(": ") + reason;
        return false;
    };
    QTemporaryDir folder;
    if (!folder.isValid()) {
        reason = folder.errorString();
        return fail();
    }
    const QString collection = folder.filePath(QStringLiteral("collection.anki2"));
    if (!WriteCollection(collection, deckName, notes, QDateTime::currentMSecsSinceEpoch(),
                         reason)) {
        return fail();
    }
    std::vector<ZipEntry> entries{{QStringLiteral("collection.anki2"), collection, {}, true}};
    QJsonObject names;
    for (size_t i = 0; i < media.size(); ++i) {
        const QString number = QString::number(i);
        names.insert(number, media[i].name);
        entries.push_back({number, media[i].path, {}, false});
    }
    entries.push_back(
        {QStringLiteral("media"), {}, QJsonDocument(names).toJson(QJsonDocument::Compact), true});
    return WriteZipPackage(path, entries, reason) || fail();
}
