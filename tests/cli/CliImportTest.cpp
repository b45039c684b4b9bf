#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CliImportTest, DecodesWhatItCanAndWritesNothingElse) {
    QTemporaryDir dir;
    wav::Format deep;
    deep.channels = 1;
    deep.bits = 24;
    ASSERT_TRUE(wav::WriteFile(dir.filePath("deep.wav"),
                               wav::File(deep, wav::Chunk("data", QByteArray("\0\0\1\0\0\2", 6)))));
    ASSERT_TRUE(wav::WriteFile(dir.filePath("deep.txt"), "[0,1]\nhi\n\n"));
    ASSERT_TRUE(wav::WriteFile(dir.filePath("notes.txt"), "just words\n"));
    const struct {
        QStringList args;
        int status;
        QString err;
    } cases[] = {
        {{"import", dir.filePath("deep.wav"), dir.filePath("out.wav")}, 0, ""},
        {{"import", dir.filePath("notes.txt"), dir.filePath("no.wav")},
         1,
         "notes.txt cannot be opened as audio: Invalid data found when processing input\n"},
        {{"import", dir.filePath("deep.wav")}, 2, ""},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        if (c.status != 2) {
            EXPECT_EQ(run.err, c.err);
        }
        EXPECT_FALSE(QFile::exists(dir.filePath("no.wav")));
    }
    const CliRun info = RunCli({"info", dir.filePath("out.wav")});
    EXPECT_EQ(info.out, "frames: 2\nrate: 8000\nchannels: 2\nbits: 16\ncues: 1\noverlaps: 0\n");
    EXPECT_TRUE(QFile::exists(dir.filePath("out.sbv")));
}

} // namespace
