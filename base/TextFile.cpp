#include "base/TextFile.h"

#include "base/TextLineReader.h"
#include "base/WholeFile.h"

#include <algorithm>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

/// Characters encoded at a time when writing.
constexpr qsizetype kChunkChars = 64 * 1024;

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
    TextLineReader reader(path);
    if (!reader.IsOpen()) {
        return std::nullopt;
    }
    QStringList lines;
    while (std::optional<QString> line = reader.NextLine()) {
        lines.push_back(std::move(*line));
    }
    return lines;
}

// One pass a chunk at a time: replacing every LF in the whole text first takes far longer
// than linear time on large texts.
bool WriteTextFile(const QString& path, const QString& text) {
    return WriteWholeFile(path, [&text](QIODevice& file) {
        if (file.write(kUtf8Bom) != kUtf8Bom.size()) {
            return false;
        }
        QByteArray crlf;
        for (qsizetype from = 0; from < text.size();) {
            // A high surrogate goes with what follows it, so that each chunk encodes as it
            // would inside the whole text.
            qsizetype to = std::min(text.size(), from + kChunkChars);
            if (to < text.size() && text[to - 1].isHighSurrogate()) {
                --to;
            }
            const QByteArray utf8 = QStringView(text).sliced(from, to - from).toUtf8();
            // A byte 0x0A is always an LF: UTF-8 never uses it inside a longer sequence.
            crlf.resize(2 * utf8.size());
            char* out = crlf.data();
            for (const char c : utf8) {
                if (c == '\n') {
                    *out++ = '\r';
                }
                *out++ = c;
            }
            const qsizetype size = out - crlf.constData();
            if (file.write(crlf.constData(), size) != size) {
                return false;
            }
            from = to;
        }
        return true;
    });
}
