#pragma once

#include <QString>
#include <QtGlobal>

/// Which file a document came from: the WAV file it was opened from or saved to, or the file
/// it was decoded from until it is saved, with that file's size and time when it was read or
/// written (what a recovery record is checked against).
class DocumentFile {
public:
    /// Takes `path` (the WAV file; empty for none) and `importSource` (the decoded file;
    /// empty for none) and notes the size and time of SourcePath().
    void Set(const QString& path, const QString& importSource);

    /// Full path of the open file, empty for a new or a decoded document.
    const QString& GetPathName() const { return m_strPathName; }
    /// Full path of the file decoded into the document, empty unless it was imported and not
    /// saved since.
    const QString& ImportSource() const { return m_strImportSource; }
    /// The decoded source until it is saved, else the open file; empty for a new document.
    const QString& SourcePath() const {
        return m_strImportSource.isEmpty() ? m_strPathName : m_strImportSource;
    }
    /// The folder of SourcePath(), where the file dialogs start; empty for a new document.
    QString SourceFolder() const;
    /// File name of the open file, "<name> (imported)" for a decoded one not saved yet,
    /// "noname" for a new document.
    QString GetTitle() const;
    /// Size in bytes and modification time (ms since the epoch) of SourcePath() when it was
    /// opened or last saved.
    qint64 SourceSize() const { return m_nSourceSize; }
    qint64 SourceModified() const { return m_nSourceModified; }

private:
    QString m_strPathName;
    QString m_strImportSource;
    qint64 m_nSourceSize = 0;
    qint64 m_nSourceModified = 0;
};
