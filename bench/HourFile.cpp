#include "HourFile.h"

#include "recording/WaveHeader.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRate = 44100;
constexpr int kBytesPerFrame = 4;
constexpr qint64 kDataBytes = qint64(kHourFrames) * kBytesPerFrame;
constexpr qint64 kFileBytes = WaveHeader::kSize + 8 + kDataBytes;
/// Frames per write: 4 MiB keeps the system calls few without a large buffer.
constexpr int kBlockFrames = 1 << 20;

QByteArray HeaderBytes() {
    WaveHeader header;
    header.ChunkSize = quint32(kFileBytes - 8);
    header.NumOfChannel = 2;
    header.SampleRate = kRate;
    header.ByteRate = kRate * kBytesPerFrame;
    header.BlockAlign = kBytesPerFrame;
    header.bitsPerSample = 16;
    QByteArray bytes = header.ToBytes();
    bytes.append("data", 4);
    char size[4];
    qToLittleEndian<quint32>(quint32(kDataBytes), size);
    bytes.append(size, 4);
    return bytes;
}

bool WriteHourFile(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray header = HeaderBytes();
    if (file.write(header) != header.size()) {
        return false;
    }
    QByteArray block(kBlockFrames * kBytesPerFrame, Qt::Uninitialized);
    for (qint64 first = 0; first < kHourFrames; first += kBlockFrames) {
        const qint64 frames = std::min<qint64>(kBlockFrames, kHourFrames - first);
        char* out = block.data();
        for (qint64 f = first; f < first + frames; ++f, out += kBytesPerFrame) {
            qToLittleEndian<qint16>(Sawtooth(f, 331), out);
            qToLittleEndian<qint16>(Sawtooth(f, 577), out + 2);
        }
        const qint64 bytes = frames * kBytesPerFrame;
        if (file.write(block.constData(), bytes) != bytes) {
            return false;
        }
    }
    return file.commit();
}

QString MakeHourFile() {
    QString path = qEnvironmentVariable("TARN_BENCH_WAV");
    if (path.isEmpty()) {
        // Static so that it outlives every benchmark and takes the file with it at exit.
        static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tarn-bench-XXXXXX"));
        if (!dir.isValid()) {
            std::fprintf(stderr, "tarn_bench: cannot create a temporary directory\n");
            return {};
        }
        path = dir.filePath(QStringLiteral("hour.wav"));
    } else if (QFileInfo(path).size() == kFileBytes) {
        std::fprintf(stderr, "tarn_bench: reusing hour file %s\n", qPrintable(path));
        return path;
    }
    if (!WriteHourFile(path)) {
        std::fprintf(stderr, "tarn_bench: cannot write %s\n", qPrintable(path));
        return {};
    }
    std::fprintf(stderr, "tarn_bench: hour file %s\n", qPrintable(path));
    return path;
}

} // namespace

qint16 Sawtooth(qint64 frame, quint32 step) {
    const int saw = qint16(quint16(quint32(frame) * step));
    const int swell = int((frame >> 15) & 7) + 1;
    return qint16(saw * swell / 8);
}

const QString& HourFilePath() {
    static const QString path = MakeHourFile();
    return path;
}
