#include "base/TextLineReader.h"

namespace {

/// Bytes read at a time.
constexpr qint64 kChunkBytes = 64 * 1024;

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeBom("\xFF\xFE", 2);

/// Where the last LF of `bytes` that lies at or after `from` ends, or 0 when there is none.
/// UTF-16LE code units start at even offsets.
qsizetype PastLastLineEnd(QByteArrayView bytes, qsizetype from, bool utf16) {
    if (!utf16) {
        const qsizetype lf = bytes.sliced(from).lastIndexOf('\n');
        return lf < 0 ? 0 : from + lf + 1;
    }
    qsizetype past = 0;
    for (qsizetype i = from & ~qsizetype(1); i + 1 < bytes.size(); i += 2) {
        if (bytes[i] == '\n' && bytes[i + 1] == '\0') {
            past = i + 2;
        }
    }
    return past;
}

} // namespace

TextLineReader::TextLineReader(const QString& path) : m_file(path) {
    if (m_file.open(QIODevice::ReadOnly)) {
        Restart();
    }
}

bool TextLineReader::Restart() {
    m_bytes.clear();
    m_text.clear();
    m_next = 0;
    m_scanned = 0;
    if (!m_file.seek(0)) {
        return false;
    }
    const QByteArray head = m_file.peek(kUtf8Bom.size());
    m_utf16 = head.startsWith(kUtf16LeBom);
    const qsizetype mark =
        m_utf16 ? kUtf16LeBom.size() : (head.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0);
    m_decoder = QStringDecoder(m_utf16 ? QStringDecoder::Utf16LE : QStringDecoder::Utf8);
    return m_file.seek(mark);
}

// Bytes are decoded up to a line end only, where the decoder holds nothing back: a sequence
// cut between two chunks, broken or not, then decodes as it would within the whole file.
bool TextLineReader::ReadChunk() {
    const QByteArray chunk = m_file.read(kChunkBytes);
    if (chunk.isEmpty() && m_bytes.isEmpty()) {
        return false;
    }
    const qsizetype old = m_bytes.size();
    m_bytes += chunk;
    const qsizetype ready =
        chunk.isEmpty() ? m_bytes.size() : PastLastLineEnd(m_bytes, old, m_utf16);
    if (ready > 0) {
        m_text.remove(0, m_next);
        m_scanned -= m_next;
        m_next = 0;
        m_text += m_decoder.decode(QByteArrayView(m_bytes).first(ready));
        m_bytes.remove(0, ready);
    }
    return true;
}

std::optional<QString> TextLineReader::NextLine() {
    qsizetype lf = m_text.indexOf(QChar('\n'), m_scanned);
    while (lf < 0) {
        m_scanned = m_text.size();
        if (!ReadChunk()) {
            break;
        }
        lf = m_text.indexOf(QChar('\n'), m_scanned);
    }
    // Past the last LF only a line with something in it is left.
    if (lf < 0 && m_next == m_text.size()) {
        return std::nullopt;
    }
    const qsizetype stop = lf < 0 ? m_text.size() : lf;
    QString line = m_text.sliced(m_next, stop - m_next);
    if (line.endsWith(QChar('\r'))) {
        line.chop(1);
    }
    m_next = lf < 0 ? stop : lf + 1;
    m_scanned = m_next;
    return line;
}
