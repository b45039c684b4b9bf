#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <optional>

/// The lines of a text file one at a time, decoded and split as ReadTextLines does, holding
/// a chunk of the file (and the line being read) rather than all of it.
class TextLineReader {
public:
    explicit TextLineReader(const QString& path);

    /// Whether the file could be opened.
    bool IsOpen() const { return m_file.isOpen(); }
    /// The next line without its end; nothing after the last line.
    std::optional<QString> NextLine();
    /// Goes back to the first line; false when the file cannot be read again.
    bool Restart();

private:
    /// Reads the next chunk of the file and decodes what it completes; false at the end.
    bool ReadChunk();

    QFile m_file;
    bool m_utf16 = false;
    QStringDecoder m_decoder;
    QByteArray m_bytes;      ///< read and not yet decoded
    QString m_text;          ///< decoded and not yet handed out from m_next on
    qsizetype m_next = 0;    ///< where the next line starts in m_text
    qsizetype m_scanned = 0; ///< m_text holds no LF from m_next up to here
};
