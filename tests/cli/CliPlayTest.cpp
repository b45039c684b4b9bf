#include "qtaudio/QtWaveOut.h"
#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliRun PlayCli(const QStringList& args) {
    return RunCli(QStringList{"play"} + args);
}

TEST(CliPlayTest, PlaysOrSaysTheDeviceCannotOpen) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.wav");
    ASSERT_TRUE(wav::WriteFile(path, wav::Simple(2, 8000, std::vector<qint16>(8000, 100))));
    const CliRun run = PlayCli({path, "0", "2000"});
    if (QtWaveOut::HasOutputDevice()) {
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
    } else {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "falkfdfjsew\n");
    }
}

TEST(CliPlayTest, WrongUsage) {
    EXPECT_EQ(PlayCli({}).status, 2);
    EXPECT_EQ(PlayCli({"a.wav", "1"}).status, 2);
    EXPECT_EQ(PlayCli({"a.wav", "x", "2"}).status, 2);
    for (const QStringList& speed :
         {QStringList{"a.wav", "--speed", "0.45"}, QStringList{"a.wav", "--speed"},
          QStringList{"a.wav", "0", "10", "--speed", "x"}}) {
        EXPECT_EQ(PlayCli(speed).status, 2) << speed.join(' ').toStdString();
    }
}

} // namespace
