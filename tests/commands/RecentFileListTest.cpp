#include "commands/RecentFileList.h"
#include "commands/LockKeys.h"
#include "support/WavBytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

namespace {

TEST(RecentFileListTest, NewestFirstWithoutDuplicates) {
    RecentFileList list;
    list.Add("/m/a.wav");
    list.Add("/m/b.wav");
    list.Add("/m/c.wav");
    EXPECT_EQ(list.Files(), (QStringList{"/m/c.wav", "/m/b.wav", "/m/a.wav"}));
    list.Add("/m/a.wav");
    EXPECT_EQ(list.Files(), (QStringList{"/m/a.wav", "/m/c.wav", "/m/b.wav"}));
}

TEST(RecentFileListTest, KeepsTheTenNewest) {
    RecentFileList list;
    for (int i = 0; i < 12; ++i) {
        list.Add(QStringLiteral("/m/%1.wav").arg(i));
    }
    QStringList expected;
    for (int i = 11; i >= 2; --i) {
        expected << QStringLiteral("/m/%1.wav").arg(i);
    }
    EXPECT_EQ(list.Files(), expected);
}

TEST(RecentFileListTest, RelativePathsBecomeAbsolute) {
    RecentFileList list;
    const QString absolute = QDir::currentPath() + QStringLiteral("/song.wav");
    list.Add("song.wav");
    EXPECT_EQ(list.Files(), QStringList{absolute});
    // The same file named the other way is not a second entry.
    list.Add(absolute);
    EXPECT_EQ(list.Files(), QStringList{absolute});
}

TEST(RecentFileListTest, SaveThenLoadGivesTheSameList) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("tarn.ini"));
    RecentFileList list;
    for (const char* path : {"/m/a.wav", "/m/b.wav", "/m/c.wav"}) {
        list.Add(path);
    }
    {
        QSettings settings(ini, QSettings::IniFormat);
        list.Save(settings);
    }
    QSettings settings(ini, QSettings::IniFormat);
    RecentFileList loaded;
    loaded.Load(settings);
    EXPECT_EQ(loaded.Files(), list.Files());

    // A shorter list saved over a longer one leaves none of the older entries behind.
    RecentFileList shorter;
    shorter.Add("/m/z.wav");
    shorter.Save(settings);
    loaded.Load(settings);
    EXPECT_EQ(loaded.Files(), QStringList{"/m/z.wav"});
}

TEST(LockKeysTest, ReadsEachLedOnItsOwn) {
    const LockKeyStates cases[] = {
        {true, false, false}, {false, true, false}, {false, false, true}};
    for (const LockKeyStates& expected : cases) {
        QTemporaryDir dir;
        const std::pair<const char*, bool> leds[] = {{"input3::capslock", expected.caps},
                                                     {"input3::numlock", expected.num},
                                                     {"input3::scrolllock", expected.scroll}};
        for (const auto& [name, lit] : leds) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(name));
            ASSERT_TRUE(
                wav::WriteFile(dir.filePath(QString(name) + "/brightness"), lit ? "1\n" : "0\n"));
        }
        EXPECT_EQ(ReadLockKeys(dir.path()), expected)
            << expected.caps << expected.num << expected.scroll;
    }
}

TEST(LockKeysTest, MissingFolderReadsAllOff) {
    QTemporaryDir dir;
    EXPECT_EQ(ReadLockKeys(dir.filePath(QStringLiteral("absent"))), LockKeyStates{});
}

} // namespace
