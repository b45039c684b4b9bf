#include "document/RecoveryRecord.h"

#include "base/WholeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtEndian>

#include <cstring>
#include <utility>

// The bytes, all integers little-endian, texts as a qint32 byte count and UTF-8:
//   "TARNREC\0", quint32 version
//   source path, qint64 size, qint64 modification time, quint8 samplesComplete (0 or 1)
//   qint32 op count, then each op: quint8 kind, qint32 lo, qint32 hi, and by kind
//     Scale: qint32 k; Erase: nothing;
//     Replace: qint32 n, n qint16 left frames, qint32 n, n qint16 right frames
//   qint32 cue count, then each cue: qint32 start, qint32 end, text
//   qint32 selection start, qint32 selection end

namespace {

constexpr char kMagic[8] = {'T', 'A', 'R', 'N', 'R', 'E', 'C', '\0'};
constexpr quint32 kVersion = 1;
// The fewest bytes an op (an Erase) and a cue (with no text) take: a count that claims more
// items than the rest of the bytes could hold is refused before anything is allocated.
constexpr qsizetype kMinOpBytes = 1 + 4 + 4;
constexpr qsizetype kMinCueBytes = 4 + 4 + 4;
// The only factors a Scale is written with: the volume steps, a tenth down and a tenth up. Any
// other is damage, and a large one would overflow when the samples are scaled on replay.
constexpr qint32 kSofter = 9;
constexpr qint32 kLouder = 11;

class Writer {
public:
    explicit Writer(qsizetype expectedSize) { m_out.reserve(expectedSize); }

    void PutBytes(const char* bytes, qsizetype n) { m_out.append(bytes, n); }

    template <typename T> void Put(T value) { qToLittleEndian<T>(value, Grow(sizeof(T))); }

    void PutText(const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        Put<qint32>(qint32(utf8.size()));
        m_out.append(utf8);
    }

    // One block copy rather than a call per sample: a Replace can hold minutes of audio.
    void PutSamples(const SampleVector& samples) {
        const qsizetype n = qsizetype(samples.size());
        Put<qint32>(qint32(n));
        if (n > 0) {
            qToLittleEndian<qint16>(samples.data(), n, Grow(n * 2));
        }
    }

    QByteArray Take() { return std::move(m_out); }

private:
    char* Grow(qsizetype n) {
        const qsizetype at = m_out.size();
        m_out.resize(at + n);
        return m_out.data() + at;
    }

    QByteArray m_out;
};

class Reader {
public:
    explicit Reader(const QByteArray& bytes)
        : m_at(bytes.constData()), m_end(bytes.constData() + bytes.size()) {}

    bool AtEnd() const { return m_at == m_end; }

    bool Expect(const char* bytes, qsizetype n) {
        if (Left() < n || std::memcmp(m_at, bytes, size_t(n)) != 0) {
            return false;
        }
        m_at += n;
        return true;
    }

    template <typename T> bool Get(T& value) {
        if (Left() < qsizetype(sizeof(T))) {
            return false;
        }
        value = qFromLittleEndian<T>(m_at);
        m_at += sizeof(T);
        return true;
    }

    /// A count of items that take at least `itemBytes` each and that the rest can hold.
    bool GetCount(qint32& count, qsizetype itemBytes) {
        return Get(count) && count >= 0 && count <= Left() / itemBytes;
    }

    // Strict and stateless: a damaged text is refused rather than restored with replacement
    // characters, and a leading U+FEFF belongs to the text, not a mark to drop.
    bool GetText(QString& text) {
        qint32 n = 0;
        if (!GetCount(n, 1)) {
            return false;
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        text = decoder(QByteArrayView(m_at, n));
        m_at += n;
        return !decoder.hasError();
    }

    bool GetSamples(SampleVector& samples) {
        qint32 n = 0;
        if (!GetCount(n, 2)) {
            return false;
        }
        samples.resize(size_t(n));
        if (n > 0) {
            qFromLittleEndian<qint16>(m_at, n, samples.data());
        }
        m_at += qsizetype(n) * 2;
        return true;
    }

private:
    qsizetype Left() const { return m_end - m_at; }

    const char* m_at;
    const char* m_end;
};

qsizetype ExpectedSize(const RecoveryRecord& record) {
    qsizetype size = 64 + record.sourcePath.size();
    for (const ReplayOp& op : record.ops) {
        size += kMinOpBytes + 8 + qsizetype(op.frames[0].size() + op.frames[1].size()) * 2;
    }
    for (const Cue& cue : record.cues) {
        size += kMinCueBytes + cue.text.size();
    }
    return size;
}

void PutOp(Writer& out, const ReplayOp& op) {
    out.Put<quint8>(quint8(op.kind));
    out.Put<qint32>(op.range.lo);
    out.Put<qint32>(op.range.hi);
    switch (op.kind) {
    case ReplayOp::Kind::Scale:
        out.Put<qint32>(op.k);
        break;
    case ReplayOp::Kind::Erase:
        break;
    case ReplayOp::Kind::Replace:
        Q_ASSERT(op.frames[0].size() == op.frames[1].size());
        out.PutSamples(op.frames[0]);
        out.PutSamples(op.frames[1]);
        break;
    }
}

bool GetOp(Reader& in, ReplayOp& op) {
    quint8 kind = 0;
    if (!in.Get(kind) || !in.Get(op.range.lo) || !in.Get(op.range.hi) || op.range.lo < 0 ||
        op.range.lo > op.range.hi) {
        return false;
    }
    switch (kind) {
    case quint8(ReplayOp::Kind::Scale):
        op.kind = ReplayOp::Kind::Scale;
        return in.Get(op.k) && (op.k == kSofter || op.k == kLouder);
    case quint8(ReplayOp::Kind::Erase):
        op.kind = ReplayOp::Kind::Erase;
        return true;
    case quint8(ReplayOp::Kind::Replace):
        op.kind = ReplayOp::Kind::Replace;
        return in.GetSamples(op.frames[0]) && in.GetSamples(op.frames[1]) &&
               op.frames[0].size() == op.frames[1].size();
    default:
        return false;
    }
}

} // namespace

QByteArray SerializeRecovery(const RecoveryRecord& record) {
    Writer out(ExpectedSize(record));
    out.PutBytes(kMagic, sizeof(kMagic));
    out.Put<quint32>(kVersion);
    out.PutText(record.sourcePath);
    out.Put<qint64>(record.sourceSize);
    out.Put<qint64>(record.sourceModified);
    out.Put<quint8>(record.samplesComplete ? 1 : 0);
    out.Put<qint32>(qint32(record.ops.size()));
    for (const ReplayOp& op : record.ops) {
        PutOp(out, op);
    }
    out.Put<qint32>(qint32(record.cues.size()));
    for (const Cue& cue : record.cues) {
        out.Put<qint32>(cue.start);
        out.Put<qint32>(cue.end);
        out.PutText(cue.text);
    }
    out.Put<qint32>(record.selStart);
    out.Put<qint32>(record.selEnd);
    return out.Take();
}

std::optional<RecoveryRecord> ParseRecovery(const QByteArray& bytes) {
    Reader in(bytes);
    RecoveryRecord record;
    quint32 version = 0;
    quint8 complete = 0;
    qint32 count = 0;
    if (!in.Expect(kMagic, sizeof(kMagic)) || !in.Get(version) || version != kVersion ||
        !in.GetText(record.sourcePath) || !in.Get(record.sourceSize) ||
        !in.Get(record.sourceModified) || !in.Get(complete) || complete > 1 ||
        !in.GetCount(count, kMinOpBytes)) {
        return std::nullopt;
    }
    record.samplesComplete = complete == 1;
    record.ops.resize(size_t(count));
    for (ReplayOp& op : record.ops) {
        if (!GetOp(in, op)) {
            return std::nullopt;
        }
    }
    if (!in.GetCount(count, kMinCueBytes)) {
        return std::nullopt;
    }
    record.cues.resize(size_t(count));
    for (Cue& cue : record.cues) {
        if (!in.Get(cue.start) || !in.Get(cue.end) || !in.GetText(cue.text)) {
            return std::nullopt;
        }
    }
    if (!in.Get(record.selStart) || !in.Get(record.selEnd) || !in.AtEnd()) {
        return std::nullopt;
    }
    return record;
}

QString RecoveryPathFor(const QString& folder, const QString& sourcePath) {
    if (sourcePath.isEmpty()) {
        return QDir(folder).filePath(QStringLiteral("new.tarnrec"));
    }
    const QByteArray absolute = QFileInfo(sourcePath).absoluteFilePath().toUtf8();
    const QByteArray hex = QCryptographicHash::hash(absolute, QCryptographicHash::Sha1).toHex();
    return QDir(folder).filePath(QString::fromLatin1(hex) + QStringLiteral(".tarnrec"));
}

QString RecoveryFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("tarn/recovery"));
}

bool WriteRecoveryFile(const QString& path, const RecoveryRecord& record) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    return WriteWholeFile(path, SerializeRecovery(record));
}

// A record that cannot be used is moved aside rather than deleted, so that it can still be
// looked at, and so that the next start does not stumble over it again.
RecoveryRead ReadRecoveryFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return {};
    }
    std::optional<RecoveryRecord> record;
    if (file.open(QIODevice::ReadOnly)) {
        record = ParseRecovery(file.readAll());
        file.close();
    }
    if (record) {
        return {RecoveryRead::Status::Ok, std::move(*record)};
    }
    const QString bad = path + QStringLiteral(".bad");
    QFile::remove(bad);
    QFile::rename(path, bad);
    return {RecoveryRead::Status::Damaged, {}};
}

bool RemoveRecoveryFile(const QString& path) {
    return QFile::remove(path) || !QFile::exists(path);
}
