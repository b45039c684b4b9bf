#include "commands/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char* const kGroup = "Recent File List";

QString Key(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}

} // namespace

void RecentFileList::Load(QSettings& settings) {
    m_files.clear();
    settings.beginGroup(kGroup);
    for (int i = kMaxEntries - 1; i >= 0; --i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty()) {
            Add(path);
        }
    }
    settings.endGroup();
}

void RecentFileList::Save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    settings.remove(QString());
    for (int i = 0; i < m_files.size(); ++i) {
        settings.setValue(Key(i), m_files[i]);
    }
    settings.endGroup();
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kMaxEntries) {
        m_files.removeLast();
    }
}

void RecentFileList::Remove(const QString& path) {
    m_files.removeAll(QFileInfo(path).absoluteFilePath());
}
