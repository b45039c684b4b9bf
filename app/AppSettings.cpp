#include "app/AppSettings.h"

#include "document/RecoveryRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char* const kTakenOverKey = "settingsTakenOver";

QSettings OldSettings() {
    return QSettings(QStringLiteral("应用程序向导生成的本地应用程序"), QStringLiteral("tarn"));
}

/// Where earlier versions kept their recovery records.
QString OldRecoveryFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("tarn/recovery"));
}

void MoveRecords(const QString& from, const QString& to) {
    const QFileInfoList records = QDir(from).entryInfoList(QDir::Files);
    if (records.isEmpty() || !QDir().mkpath(to)) {
        return;
    }
    for (const QFileInfo& record : records) {
        const QString target = QDir(to).filePath(record.fileName());
        // A record already in the new place is newer than the old one: keep it.
        if (!QFileInfo::exists(target)) {
            QFile::rename(record.absoluteFilePath(), target);
        }
    }
}

} // namespace

void TakeOverOldSettings() {
    QSettings settings = AppSettings();
    if (settings.value(kTakenOverKey).toBool()) {
        return;
    }
    const QSettings old = OldSettings();
    for (const QString& key : old.allKeys()) {
        if (!settings.contains(key)) {
            settings.setValue(key, old.value(key));
        }
    }
    MoveRecords(OldRecoveryFolder(), RecoveryFolder());
    settings.setValue(kTakenOverKey, true);
}
