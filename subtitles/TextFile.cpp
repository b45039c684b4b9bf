#include "subtitles/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeBom("\xFF\xFE", 2);

QString Decode(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf16LeBom)) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder.decode(QByteArrayView(bytes).sliced(kUtf16LeBom.size()));
    }
    const QByteArrayView body =
        bytes.startsWith(kUtf8Bom) ? QByteArrayView(bytes).sliced(kUtf8Bom.size()) : bytes;
    QStringDecoder decoder(QStringDecoder::Utf8);
    return decoder.decode(body);
}

} // namespace

QStringList SplitTextLines(const QString& text) {
    QStringList lines = text.split(QChar('\n'));
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        if (line.endsWith(QChar('\r'))) {
            line.chop(1);
        }
    }
    return lines;
}

std::optional<QStringList> ReadTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return SplitTextLines(Decode(file.readAll()));
}

bool WriteTextFile(const QString& path, const QString& text) {
    QString crlf = text;
    crlf.replace(QChar('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = kUtf8Bom + crlf.toUtf8();
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
