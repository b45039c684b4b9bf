#include "app/AppSettings.h"
#include "app/CProfileDlg.h"

#include "document/RecoveryRecord.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <utility>

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

// The custom timing rules come back as they were kept; nothing is made up before they are.
TEST(AppSettingsTest, CustomRulesAreKept) {
    AppSettings().clear();
    EXPECT_FALSE(StoredCustomProfile());
    TimingProfile profile = *BuiltInProfile(u"netflix");
    profile.maxCps = {155, 1};     // 15.5 cps
    profile.minDuration = {1, 1};  // 1 s
    profile.maxDuration = {13, 2}; // 6.5 s
    profile.minGapFrames = 3;
    profile.fps = {25, 0};
    profile.maxLineChars = 37;
    profile.maxLines = 3;
    StoreCustomProfile(profile);
    const std::optional<TimingProfile> kept = StoredCustomProfile();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->name, "Custom");
    EXPECT_EQ(DecimalText(kept->maxCps), "15.5");
    EXPECT_EQ(MillisecondsText(kept->minDuration), "1000");
    EXPECT_EQ(MillisecondsText(kept->maxDuration), "6500");
    EXPECT_EQ(kept->minGapFrames, 3);
    EXPECT_EQ(DecimalText(kept->fps), "25");
    EXPECT_EQ(std::pair(kept->maxLineChars, kept->maxLines), std::pair(37, 3));
}

} // namespace
