#include "app/AppSettings.h"

#include "document/RecoveryRecord.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// An upgrade keeps the recent files and the records of unsaved work, once: a setting changed
// in the new place afterwards is not overwritten by the old one at the next start.
TEST(AppSettingsTest, TakesOverTheOldPlaceOnce) {
    QSettings old(QStringLiteral("应用程序向导生成的本地应用程序"), QStringLiteral("tarn"));
    old.clear();
    old.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/a.wav"));
    old.sync();
    AppSettings().clear();
    const QString oldFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .filePath(QStringLiteral("tarn/recovery"));
    ASSERT_TRUE(QDir().mkpath(oldFolder));
    QFile record(QDir(oldFolder).filePath(QStringLiteral("r.tarnrec")));
    ASSERT_TRUE(record.open(QIODevice::WriteOnly));
    record.write("x");
    record.close();
    QFile::remove(QDir(RecoveryFolder()).filePath(QStringLiteral("r.tarnrec")));

    TakeOverOldSettings();
    EXPECT_EQ(AppSettings().value(QStringLiteral("Recent File List/File1")).toString(),
              QStringLiteral("/a.wav"));
    EXPECT_TRUE(QFile::exists(QDir(RecoveryFolder()).filePath(QStringLiteral("r.tarnrec"))));
    EXPECT_FALSE(record.exists());

    AppSettings().setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/b.wav"));
    TakeOverOldSettings();
    EXPECT_EQ(AppSettings().value(QStringLiteral("Recent File List/File1")).toString(),
              QStringLiteral("/b.wav"));
    QFile::remove(QDir(RecoveryFolder()).filePath(QStringLiteral("r.tarnrec")));
    old.clear();
}

} // namespace
