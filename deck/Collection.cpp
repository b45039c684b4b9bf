#include "deck/Collection.h"

#include "deck/CollectionJson.h"
#include "deck/NoteKeys.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace {

// The collection's layout at version 11, which every importer of packages still reads.
const char* const kSchema[] = {
    "CREATE TABLE col (id integer primary key, crt integer not null, mod integer not null,"
    " scm integer not null, ver integer not null, dty integer not null, usn integer not null,"
    " ls integer not null, conf text not null, models text not null, decks text not null,"
    " dconf text not null, tags text not null)",
    "CREATE TABLE notes (id integer primary key, guid text not null, mid integer not null,"
    " mod integer not null, usn integer not null, tags text not null, flds text not null,"
    " sfld integer not null, csum integer not null, flags integer not null,"
    " data text not null)",
    "CREATE TABLE cards (id integer primary key, nid integer not null, did integer not null,"
    " ord integer not null, mod integer not null, usn integer not null, type integer not null,"
    " queue integer not null, due integer not null, ivl integer not null,"
    " factor integer not null, reps integer not null, lapses integer not null,"
    " left integer not null, odue integer not null, odid integer not null,"
    " flags integer not null, data text not null)",
    "CREATE TABLE revlog (id integer primary key, cid integer not null, usn integer not null,"
    " ease integer not null, ivl integer not null, lastIvl integer not null,"
    " factor integer not null, time integer not null, type integer not null)",
    "CREATE TABLE graves (usn integer not null, oid integer not null, type integer not null)",
    "CREATE INDEX ix_notes_usn ON notes (usn)",
    "CREATE INDEX ix_cards_usn ON cards (usn)",
    "CREATE INDEX ix_revlog_usn ON revlog (usn)",
    "CREATE INDEX ix_cards_nid ON cards (nid)",
    "CREATE INDEX ix_cards_sched ON cards (did, queue, due)",
    "CREATE INDEX ix_revlog_cid ON revlog (cid)",
    "CREATE INDEX ix_notes_csum ON notes (csum)",
};

bool Run(QSqlQuery& query, QString& reason) {
    if (query.exec()) {
        return true;
    }
    reason = query.lastError().text();
    return false;
}

bool Prepare(QSqlQuery& query, const QString& statement, QString& reason) {
    if (query.prepare(statement)) {
        return true;
    }
    reason = query.lastError().text();
    return false;
}

bool WriteCol(QSqlDatabase& db, const QString& deckName, qint64 nowMs, QString& reason) {
    const qint64 nowSeconds = nowMs / 1000;
    QSqlQuery query(db);
    if (!Prepare(query, "INSERT INTO col VALUES (1, ?, ?, ?, 11, 0, 0, 0, ?, ?, ?, ?, '{}')",
                 reason)) {
        return false;
    }
    query.addBindValue(nowSeconds - nowSeconds % 86400);
    query.addBindValue(nowMs);
    query.addBindValue(nowMs);
    query.addBindValue(QString::fromUtf8(CollectionConfJson(nowMs)));
    query.addBindValue(QString::fromUtf8(ClipNoteTypesJson(nowMs, nowSeconds)));
    query.addBindValue(QString::fromUtf8(DecksJson(nowMs, deckName, nowSeconds)));
    query.addBindValue(QString::fromUtf8(DeckOptionsJson()));
    return Run(query, reason);
}

bool WriteNotes(QSqlDatabase& db, const QString& deckName, const std::vector<DeckNote>& notes,
                qint64 nowMs, QString& reason) {
    const qint64 nowSeconds = nowMs / 1000;
    QSqlQuery note(db);
    QSqlQuery card(db);
    if (!Prepare(note, "INSERT INTO notes VALUES (?, ?, ?, ?, -1, '', ?, ?, ?, 0, '')", reason) ||
        !Prepare(
            card,
            "INSERT INTO cards VALUES (?, ?, ?, 0, ?, -1, 0, 0, ?, 0, 0, 0, 0, 0, 0, 0, 0, '')",
            reason)) {
        return false;
    }
    for (size_t i = 0; i < notes.size(); ++i) {
        // The collection needs exactly one value for each field of the note type.
        QStringList fields = notes[i].fields.mid(0, kClipNoteFields.size());
        while (fields.size() < kClipNoteFields.size()) {
            fields.append(QString());
        }
        const qint64 id = nowMs + qint64(i);
        const QString sortField = PlainField(fields.front());
        note.addBindValue(id);
        note.addBindValue(NoteGuid(deckName, fields));
        note.addBindValue(kClipNoteTypeId);
        note.addBindValue(nowSeconds);
        note.addBindValue(JoinedFields(fields));
        note.addBindValue(sortField);
        note.addBindValue(FieldChecksum(sortField));
        card.addBindValue(id);
        card.addBindValue(id);
        card.addBindValue(nowMs);
        card.addBindValue(nowSeconds);
        card.addBindValue(qint64(i) + 1);
        if (!Run(note, reason) || !Run(card, reason)) {
            return false;
        }
    }
    return true;
}

bool Fill(QSqlDatabase& db, const QString& deckName, const std::vector<DeckNote>& notes,
          qint64 nowMs, QString& reason) {
    if (!db.transaction()) {
        reason = db.lastError().text();
        return false;
    }
    for (const char* statement : kSchema) {
        QSqlQuery query(db);
        if (!Prepare(query, statement, reason) || !Run(query, reason)) {
            return false;
        }
    }
    if (!WriteCol(db, deckName, nowMs, reason) || !WriteNotes(db, deckName, notes, nowMs, reason)) {
        return false;
    }
    if (!db.commit()) {
        reason = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace

bool WriteCollection(const QString& file, const QString& deckName,
                     const std::vector<DeckNote>& notes, qint64 nowMs, QString& reason) {
    // A connection of its own, gone when this returns, lets any thread write a collection.
    static std::atomic<int> connections{0};
    const QString name = QStringLiteral("tarn-deck-%1").arg(connections++);
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open()) {
            reason = db.lastError().text();
        } else {
            written = Fill(db, deckName, notes, nowMs, reason);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return written;
}
