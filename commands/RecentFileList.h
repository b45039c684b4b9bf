#pragma once

#include <QStringList>

class QSettings;

/// The recent-file list: newest first, no duplicates, at most kMaxEntries, kept in the
/// per-user settings.
class RecentFileList {
public:
    static constexpr int kMaxEntries = 10;

    /// Reads the list from `settings`, dropping blanks and duplicates.
    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    /// Puts `path` first, removing an older entry of the same file.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

private:
    QStringList m_files;
};
