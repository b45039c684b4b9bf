#include "document/DocumentFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

void DocumentFile::Set(const QString& path, const QString& importSource) {
    m_strPathName = path;
    m_strImportSource = importSource;
    const QFileInfo info(SourcePath());
    const bool exists = !SourcePath().isEmpty() && info.exists();
    m_nSourceSize = exists ? info.size() : 0;
    m_nSourceModified = exists ? info.lastModified().toMSecsSinceEpoch() : 0;
}

QString DocumentFile::SourceFolder() const {
    const QString& source = SourcePath();
    return source.isEmpty() ? QString() : QFileInfo(source).absolutePath();
}

QString DocumentFile::GetTitle() const {
    if (!m_strPathName.isEmpty()) {
        return QFileInfo(m_strPathName).fileName();
    }
    return m_strImportSource.isEmpty() ? QCoreApplication::translate("Message", "noname")
                                       : QCoreApplication::translate("Message", "%1 (imported)")
                                             .arg(QFileInfo(m_strImportSource).fileName());
}
