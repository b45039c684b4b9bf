#include "deck/AnkiDeck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

#include <zip.h>

namespace {

const QString kDeckName = QStringLiteral("Spanish::Film");
const QString kPictureName = QStringLiteral("still ñandú 日本.jpg");
const QString kConnection = QStringLiteral("AnkiDeckTest");

QStringList NoteFields(int n) {
    return {QString::number(n),
            QStringLiteral("Text %1 <b>¿qué?</b>").arg(n),
            QStringLiteral("Translation %1").arg(n),
            QStringLiteral("before %1").arg(n),
            QStringLiteral("after %1").arg(n),
            QStringLiteral("[sound:clip.mp3]"),
            QStringLiteral("<img src=\"%1\">").arg(kPictureName),
            QStringLiteral("0:00:0%1.000").arg(n),
            QStringLiteral("0:00:0%1.500").arg(n),
            QStringLiteral("talk.wav")};
}

std::map<QString, QByteArray> ZipEntries(const QString& path) {
    std::map<QString, QByteArray> entries;
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (archive == nullptr) {
        ADD_FAILURE() << "not a zip: " << path.toStdString();
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_file_t* file = nullptr;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) == 0 &&
            (file = zip_fopen_index(archive, zip_uint64_t(i), 0)) != nullptr) {
            QByteArray bytes(qsizetype(stat.size), '\0');
            EXPECT_EQ(zip_fread(file, bytes.data(), stat.size), zip_int64_t(stat.size));
            zip_fclose(file);
            entries[QString::fromUtf8(stat.name)] = bytes;
        }
    }
    zip_close(archive);
    return entries;
}

QJsonObject Json(const QVariant& text) {
    return QJsonDocument::fromJson(text.toString().toUtf8()).object();
}

class AnkiDeckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        media = {{QStringLiteral("clip.mp3"), Put("a.mp3", "ID3 sound bytes")},
                 {kPictureName, Put("b.jpg", QByteArray("\xFF\xD8 picture\0bytes", 17))}};
        for (int n = 1; n <= 3; ++n) {
            notes.push_back({NoteFields(n)});
        }
        // Whatever was there before is replaced.
        Put("study.apkg", "not a zip");
        QString error;
        ASSERT_TRUE(WriteAnkiDeck(Path("study.apkg"), kDeckName, notes, media, error))
            << error.toStdString();
        entries = ZipEntries(Path("study.apkg"));
        ReadCollection(entries);
    }

    // Opens the package's collection for Rows, in place of the one open before.
    void ReadCollection(std::map<QString, QByteArray>& package) {
        CloseCollection();
        ASSERT_EQ(package.count("collection.anki2"), 1U);
        Put("read.anki2", package["collection.anki2"]);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(Path("read.anki2"));
        ASSERT_TRUE(db.open());
    }

    void TearDown() override { CloseCollection(); }

    static void CloseCollection() {
        QSqlDatabase::database(kConnection, false).close();
        QSqlDatabase::removeDatabase(kConnection);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QString Put(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static std::vector<QVariantList> Rows(const QString& sql, int columns) {
        std::vector<QVariantList> rows;
        QSqlQuery query(QSqlDatabase::database(kConnection));
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < columns; ++i) {
                row << query.value(i);
            }
            rows.push_back(row);
        }
        return rows;
    }

    static QJsonObject ColumnOfCol(const QString& column) {
        const auto rows = Rows("SELECT " + column + " FROM col", 1);
        return rows.size() == 1 ? Json(rows.front().front()) : QJsonObject();
    }

    static qint64 DeckId() {
        const QJsonObject decks = ColumnOfCol("decks");
        for (const QJsonValue& deck : decks) {
            if (deck["name"].toString() == kDeckName) {
                return deck["id"].toInteger();
            }
        }
        return 0;
    }

    QTemporaryDir dir;
    std::vector<DeckMedia> media;
    std::vector<DeckNote> notes;
    std::map<QString, QByteArray> entries;
};

TEST_F(AnkiDeckTest, PackageHoldsTheCollectionTheMediaAndTheirNames) {
    QStringList names;
    for (const auto& [name, bytes] : entries) {
        names << name;
    }
    EXPECT_EQ(names, (QStringList{"0", "1", "collection.anki2", "media"}));
    EXPECT_EQ(QJsonDocument::fromJson(entries["media"]).object(),
              (QJsonObject{{"0", "clip.mp3"}, {"1", kPictureName}}));
    EXPECT_EQ(entries["0"], QByteArray("ID3 sound bytes"));
    EXPECT_EQ(entries["1"], QByteArray("\xFF\xD8 picture\0bytes", 17));
}

TEST_F(AnkiDeckTest, NotesHoldTheFieldsInOrder) {
    const auto rows = Rows("SELECT id, guid, mid, flds, sfld, csum, flags, data FROM notes"
                           " ORDER BY id",
                           8);
    ASSERT_EQ(rows.size(), 3U);
    const QString noteTypeId = ColumnOfCol("models").keys().value(0);
    QSet<QString> guids;
    for (int i = 0; i < 3; ++i) {
        const QVariantList& row = rows[size_t(i)];
        EXPECT_EQ(row[3].toString().split(QChar(0x1f)), NoteFields(i + 1));
        EXPECT_EQ(row[2].toString(), noteTypeId);
        EXPECT_EQ(row[4].toString(), QString::number(i + 1));
        const QByteArray sha1 =
            QCryptographicHash::hash(QByteArray::number(i + 1), QCryptographicHash::Sha1);
        EXPECT_EQ(row[5].toLongLong(), sha1.toHex().left(8).toLongLong(nullptr, 16));
        EXPECT_EQ(row[6].toInt(), 0);
        EXPECT_EQ(row[7].toString(), QString());
        guids << row[1].toString();
    }
    EXPECT_EQ(guids.size(), 3);
}

TEST_F(AnkiDeckTest, OneNewCardPerNoteInTheDeck) {
    const auto rows = Rows("SELECT cards.nid, cards.did, cards.ord, cards.type, cards.queue,"
                           " cards.due FROM cards JOIN notes ON notes.id = cards.nid"
                           " ORDER BY cards.due",
                           6);
    ASSERT_EQ(rows.size(), 3U);
    const qint64 deckId = DeckId();
    EXPECT_GT(deckId, 1);
    const auto notes = Rows("SELECT id FROM notes ORDER BY id", 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], notes[i][0]);
        EXPECT_EQ(rows[i][1].toLongLong(), deckId);
        EXPECT_EQ(rows[i].mid(2, 3), (QVariantList{0, 0, 0}));
        EXPECT_EQ(rows[i][5].toLongLong(), qint64(i) + 1);
    }
}

TEST_F(AnkiDeckTest, CollectionDescribesTheNoteTypeAndTheDeck) {
    const auto col = Rows("SELECT id, ver FROM col", 2);
    ASSERT_EQ(col.size(), 1U);
    EXPECT_EQ(col.front(), (QVariantList{1, 11}));
    EXPECT_EQ(Rows("SELECT count(*) FROM revlog", 1).front().front(), 0);
    EXPECT_EQ(Rows("SELECT count(*) FROM graves", 1).front().front(), 0);

    const QJsonObject models = ColumnOfCol("models");
    ASSERT_EQ(models.size(), 1);
    const QJsonObject noteType = models.begin()->toObject();
    EXPECT_EQ(noteType["name"].toString(), QStringLiteral("tarn clip"));
    EXPECT_EQ(QString::number(noteType["id"].toInteger()), models.begin().key());
    QStringList fieldNames;
    for (const QJsonValue& field : noteType["flds"].toArray()) {
        fieldNames << field["name"].toString();
    }
    EXPECT_EQ(fieldNames, kClipNoteFields);
    const QJsonArray templates = noteType["tmpls"].toArray();
    ASSERT_EQ(templates.size(), 1);
    for (const char* front : {"{{Text}}", "{{Picture}}", "{{Audio}}"}) {
        EXPECT_TRUE(templates[0]["qfmt"].toString().contains(front)) << front;
    }
    for (const char* back : {"{{Translation}}", "{{Context before}}", "{{Context after}}"}) {
        EXPECT_TRUE(templates[0]["afmt"].toString().contains(back)) << back;
    }
    EXPECT_EQ(noteType["did"].toInteger(), DeckId());
    EXPECT_TRUE(ColumnOfCol("dconf").contains("1"));
}

TEST_F(AnkiDeckTest, SameNotesAgainKeepTheirGuids) {
    QString error;
    ASSERT_TRUE(WriteAnkiDeck(Path("again.apkg"), kDeckName, notes, media, error));
    const auto before = Rows("SELECT guid FROM notes ORDER BY id", 1);
    auto again = ZipEntries(Path("again.apkg"));
    ReadCollection(again);
    EXPECT_EQ(Rows("SELECT guid FROM notes ORDER BY id", 1), before);
}

TEST_F(AnkiDeckTest, FailureSaysWhyAndLeavesNothing) {
    Put("old.apkg", "old package");
    const struct {
        QString path;
        QString mediaPath;
        QString reasonNames;
    } cases[] = {
        {Path("no such folder/study.apkg"), media[0].path, QString()},
        {Path("old.apkg"), Path("gone.mp3"), Path("gone.mp3")},
    };
    for (const auto& c : cases) {
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        QString error;
        EXPECT_FALSE(WriteAnkiDeck(c.path, kDeckName, notes,
                                   {{QStringLiteral("a.mp3"), c.mediaPath}}, error));
        EXPECT_TRUE(error.startsWith(c.path + ": ")) << error.toStdString();
        EXPECT_GT(error.size(), c.path.size() + 2);
        EXPECT_TRUE(error.contains(c.reasonNames)) << error.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    }
    QFile old(Path("old.apkg"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old package"));
}

} // namespace
