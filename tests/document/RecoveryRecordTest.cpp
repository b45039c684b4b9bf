#include "document/RecoveryRecord.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

constexpr qint32 kMax32 = std::numeric_limits<qint32>::max();

QByteArray Byte(int v) {
    return QByteArray(1, char(v));
}

QByteArray I32(qint32 v) {
    return wav::U32(quint32(v));
}

QByteArray I64(qint64 v) {
    return wav::U32(quint32(quint64(v))) + wav::U32(quint32(quint64(v) >> 32));
}

QByteArray Text(const QByteArray& utf8) {
    return I32(qint32(utf8.size())) + utf8;
}

/// The bytes of SampleRecord(), field by field, so that a case can damage just one field.
struct Pieces {
    QByteArray head = QByteArray("TARNREC\0", 8) + wav::U32(1);
    QByteArray source =
        Text("/audio/take one.wav") + I64(5'000'000'000) + I64(1'700'000'000'123) + Byte(0);
    QByteArray opCount = I32(3);
    QByteArray scale = Byte(1) + I32(2) + I32(9) + I32(11);
    QByteArray erase = Byte(2) + I32(0) + I32(0);
    QByteArray replace = Byte(3) + I32(3) + I32(5) + I32(3) + wav::Samples16({1, -2, 32767}) +
                         I32(3) + wav::Samples16({-32768, 0, 7});
    QByteArray cueCount = I32(2);
    // A mark, "café", a line break, a note in the basic plane and one beyond it.
    QByteArray cues = I32(10) + I32(20) +
                      Text("\xef\xbb\xbf"
                           "caf\xc3\xa9\n\xe2\x99\xaa \xf0\x9f\x8e\xb5") +
                      I32(5) + I32(4) + Text("");
    QByteArray selection = I32(3) + I32(12);

    QByteArray Bytes() const {
        return head + source + opCount + scale + erase + replace + cueCount + cues + selection;
    }
};

RecoveryRecord SampleRecord() {
    RecoveryRecord r;
    r.sourcePath = QStringLiteral("/audio/take one.wav");
    r.sourceSize = 5'000'000'000;
    r.sourceModified = 1'700'000'000'123;
    r.samplesComplete = false;
    r.ops.resize(3);
    r.ops[0].range = {2, 9};
    r.ops[0].k = 11;
    r.ops[1].kind = ReplayOp::Kind::Erase;
    r.ops[2].kind = ReplayOp::Kind::Replace;
    r.ops[2].range = {3, 5};
    r.ops[2].frames[0] = {1, -2, 32767};
    r.ops[2].frames[1] = {-32768, 0, 7};
    r.cues = {{10, 20, QStringView(u"\uFEFFcaf\u00E9\n\u266A \U0001F3B5").toString()}, {5, 4, {}}};
    r.selStart = 3;
    r.selEnd = 12;
    return r;
}

void ExpectSame(const RecoveryRecord& got, const RecoveryRecord& want) {
    EXPECT_EQ(got.sourcePath, want.sourcePath);
    EXPECT_EQ(got.sourceSize, want.sourceSize);
    EXPECT_EQ(got.sourceModified, want.sourceModified);
    EXPECT_EQ(got.samplesComplete, want.samplesComplete);
    ASSERT_EQ(got.ops.size(), want.ops.size());
    for (size_t i = 0; i < got.ops.size(); ++i) {
        const ReplayOp& g = got.ops[i];
        const ReplayOp& w = want.ops[i];
        EXPECT_EQ(g.kind, w.kind) << i;
        EXPECT_EQ(g.range.lo, w.range.lo) << i;
        EXPECT_EQ(g.range.hi, w.range.hi) << i;
        if (w.kind == ReplayOp::Kind::Scale) {
            EXPECT_EQ(g.k, w.k) << i;
        }
        EXPECT_EQ(g.frames[0], w.frames[0]) << i;
        EXPECT_EQ(g.frames[1], w.frames[1]) << i;
    }
    ASSERT_EQ(got.cues.size(), want.cues.size());
    for (size_t i = 0; i < got.cues.size(); ++i) {
        EXPECT_EQ(got.cues[i].start, want.cues[i].start) << i;
        EXPECT_EQ(got.cues[i].end, want.cues[i].end) << i;
        EXPECT_EQ(got.cues[i].text, want.cues[i].text) << i;
    }
    EXPECT_EQ(got.selStart, want.selStart);
    EXPECT_EQ(got.selEnd, want.selEnd);
}

TEST(RecoveryRecordTest, SerialisesToTheDocumentedBytesAndParsesBack) {
    const QByteArray empty =
        Pieces().head + Text("") + I64(0) + I64(0) + Byte(1) + I32(0) + I32(0) + I32(0) + I32(0);
    const std::pair<RecoveryRecord, QByteArray> cases[] = {
        {SampleRecord(), Pieces().Bytes()},
        {RecoveryRecord{}, empty},
    };
    for (const auto& [record, bytes] : cases) {
        EXPECT_EQ(SerializeRecovery(record), bytes);
        const std::optional<RecoveryRecord> parsed = ParseRecovery(bytes);
        ASSERT_TRUE(parsed);
        ExpectSame(*parsed, record);
    }
}

TEST(RecoveryRecordTest, TruncatedOrDamagedBytesParseToNothing) {
    const QByteArray valid = Pieces().Bytes();
    for (qsizetype n = 0; n < valid.size(); ++n) {
        EXPECT_FALSE(ParseRecovery(valid.left(n))) << "first " << n << " bytes";
    }

    const auto damaged = [](const std::function<void(Pieces&)>& damage) {
        Pieces p;
        damage(p);
        return p.Bytes();
    };
    const std::pair<const char*, QByteArray> cases[] = {
        {"magic", damaged([](Pieces& p) { p.head[0] = 't'; })},
        {"version", damaged([](Pieces& p) { p.head.replace(8, 4, wav::U32(2)); })},
        {"path past the end", damaged([](Pieces& p) { p.source.replace(0, 4, I32(kMax32)); })},
        {"negative path length", damaged([](Pieces& p) { p.source.replace(0, 4, I32(-1)); })},
        {"complete flag 2", damaged([](Pieces& p) { p.source.back() = 2; })},
        {"huge op count", damaged([](Pieces& p) { p.opCount = I32(kMax32); })},
        {"negative op count", damaged([](Pieces& p) { p.opCount = I32(-1); })},
        {"kind 0", damaged([](Pieces& p) { p.erase[0] = 0; })},
        {"kind 4", damaged([](Pieces& p) { p.erase[0] = 4; })},
        {"lo > hi", damaged([](Pieces& p) { p.scale = Byte(1) + I32(9) + I32(2) + I32(11); })},
        // The program scales by 9 and 11 tenths only; 65536 would overflow on replay.
        {"factor 10", damaged([](Pieces& p) { p.scale.replace(9, 4, I32(10)); })},
        {"factor 0", damaged([](Pieces& p) { p.scale.replace(9, 4, I32(0)); })},
        {"factor -9", damaged([](Pieces& p) { p.scale.replace(9, 4, I32(-9)); })},
        {"factor 65536", damaged([](Pieces& p) { p.scale.replace(9, 4, I32(65536)); })},
        {"negative lo", damaged([](Pieces& p) { p.erase = Byte(2) + I32(-1) + I32(0); })},
        {"huge frame count", damaged([](Pieces& p) { p.replace.replace(9, 4, I32(kMax32)); })},
        {"unequal frame counts", damaged([](Pieces& p) {
             p.replace = Byte(3) + I32(3) + I32(5) + I32(3) + wav::Samples16({1, 2, 3}) + I32(2) +
                         wav::Samples16({1, 2});
         })},
        {"negative cue count", damaged([](Pieces& p) { p.cueCount = I32(-1); })},
        {"huge cue count", damaged([](Pieces& p) { p.cueCount = I32(kMax32); })},
        {"text ending inside a character", damaged([](Pieces& p) {
             p.cues.chop(4);
             p.cues += Text("\xc3");
         })},
        {"trailing byte", damaged([](Pieces& p) { p.selection += '\0'; })},
    };
    for (const auto& [name, bytes] : cases) {
        EXPECT_FALSE(ParseRecovery(bytes)) << name;
    }
}

TEST(RecoveryRecordTest, PathIsNamedByTheSha1OfTheAbsolutePath) {
    const QString folder = QStringLiteral("/tmp/rec");
    const QString path = RecoveryPathFor(folder, QStringLiteral("/audio/take one.wav"));
    EXPECT_EQ(path, QStringLiteral("/tmp/rec/be5f92b21949d0efd3ce9e4079310b52e73654e0.tarnrec"));
    EXPECT_EQ(RecoveryPathFor(folder, QDir::current().relativeFilePath("/audio/take one.wav")),
              path);
    EXPECT_NE(RecoveryPathFor(folder, QStringLiteral("/audio/take two.wav")), path);
}

TEST(RecoveryRecordTest, FilesAreWrittenReadMovedAsideWhenDamagedAndRemoved) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("not/yet/there.tarnrec"));
    EXPECT_EQ(ReadRecoveryFile(path).status, RecoveryRead::Status::Absent);

    ASSERT_TRUE(WriteRecoveryFile(path, SampleRecord()));
    const RecoveryRead read = ReadRecoveryFile(path);
    ASSERT_EQ(read.status, RecoveryRead::Status::Ok);
    ExpectSame(read.record, SampleRecord());

    ASSERT_TRUE(wav::WriteFile(path, "not a record"));
    ASSERT_TRUE(wav::WriteFile(path + ".bad", "an older one"));
    EXPECT_EQ(ReadRecoveryFile(path).status, RecoveryRead::Status::Damaged);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(wav::ReadFile(path + ".bad"), "not a record");

    ASSERT_TRUE(WriteRecoveryFile(path, RecoveryRecord{}));
    EXPECT_TRUE(RemoveRecoveryFile(path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(RemoveRecoveryFile(path));
}

} // namespace
