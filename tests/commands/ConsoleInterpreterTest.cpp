#include "commands/ConsoleInterpreter.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kBom = QByteArray("\xEF\xBB\xBF");

struct TokenCase {
    const char* name = "";
    QString text;
    QStringList tokens;
};

class ConsoleTokensTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ConsoleTokensTest, SplitsOnBlanks) {
    EXPECT_EQ(ConsoleTokens(GetParam().text), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsoleTokensTest,
    ::testing::Values(
        TokenCase{"OneWord", "savetest", {"savetest"}},
        TokenCase{"RunsOfSpaces", "  a   b c ", {"a", "b", "c"}},
        TokenCase{"TabsAreSpaces", "\t\tx\t \ty\t", {"x", "y"}},
        TokenCase{"AtMostEight", "1 2 3 4 5 6 7 8 9 10", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        TokenCase{"ExactlyEight", "a\tb c\td e f g h", {"a", "b", "c", "d", "e", "f", "g", "h"}},
        TokenCase{"Empty", "", {}}, TokenCase{"OnlyBlanks", " \t \t", {}}),
    [](const auto& info) { return std::string(info.param.name); });

/// A document opened on a small recording in a temporary folder, with two cues.
class ConsoleCommandTest : public ::testing::Test {
protected:
    void Open(const QString& name) {
        ASSERT_TRUE(wav::WriteFile(dir.filePath(name), wav::Simple(2, 8000, {1, 2, 3, 4})));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath(name)));
        AddCues(doc, {{50, 60, " padded "}, {0, 100, "x\ny"}});
    }

    QStringList Files() const {
        QStringList names = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

    /// The texts are written as they are, not normalised.
    const QByteArray kExpected = kBom + "[0,100]\r\nx\r\ny\r\n\r\n[50,60]\r\n padded \r\n\r\n";

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

class SaveTestCommandTest : public ConsoleCommandTest,
                            public ::testing::WithParamInterface<QString> {};

TEST_P(SaveTestCommandTest, WritesTheCueRecords) {
    Open("a.wav");
    ASSERT_TRUE(wav::WriteFile(dir.filePath("a.txt"),
                               QByteArray(200, 'z'))); // longer than what replaces it
    RunConsoleCommand(doc, host, GetParam());
    EXPECT_EQ(wav::ReadFile(dir.filePath("a.txt")), kExpected);
    EXPECT_TRUE(host.messages.isEmpty()) << host.messages.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Commands, SaveTestCommandTest,
                         ::testing::Values("savetest", "  savetest", "\t savetest extra words",
                                           "savetest\t1 2 3 4 5 6 7 8 9 10"));

TEST_F(ConsoleCommandTest, OutputNameReplacesTheLastThreeCharacters) {
    const struct {
        QString wav;
        QString txt;
    } cases[] = {{"b.WAV", "b.txt"}, {"c.wave", "c.wtxt"}};
    for (const auto& c : cases) {
        Open(c.wav);
        RunConsoleCommand(doc, host, "savetest");
        EXPECT_EQ(wav::ReadFile(dir.filePath(c.txt)), kExpected) << c.wav.toStdString();
    }
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(ConsoleCommandTest, AnEmptyListWritesOnlyTheMark) {
    Open("a.wav");
    ClearCues(doc);
    RunConsoleCommand(doc, host, "savetest");
    EXPECT_EQ(wav::ReadFile(dir.filePath("a.txt")), kBom);
}

TEST_F(ConsoleCommandTest, LeavesTheModifiedFlagAlone) {
    for (bool modified : {false, true}) {
        Open("a.wav");
        doc.SetModifiedFlag(modified);
        RunConsoleCommand(doc, host, "savetest");
        EXPECT_EQ(doc.IsModified(), modified);
    }
}

TEST_F(ConsoleCommandTest, OtherWordsAreUnknown) {
    Open("a.wav");
    const QString texts[] = {"SaveTest",  "",          "   ",       "\t",
                             "save test", "savetestx", "xsavetest", "load a.wav"};
    for (const QString& text : texts) {
        host.messages.clear();
        RunConsoleCommand(doc, host, text);
        EXPECT_EQ(host.messages, QStringList{"unknow command"}) << text.toStdString();
    }
    EXPECT_EQ(Files(), QStringList{"a.wav"});
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ConsoleCommandTest, ANewDocumentHasNowhereToWrite) {
    // Run inside the temporary folder so that a stray relative write would show up there.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    doc.OnNewDocument();
    AddCues(doc, {{0, 10, "a"}});
    RunConsoleCommand(doc, host, "savetest");
    QDir::setCurrent(previous);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(ConsoleCommandTest, UnwritableOutputShowsAMessage) {
    Open("a.wav");
    ASSERT_TRUE(QDir(dir.path()).mkdir("a.txt"));
    RunConsoleCommand(doc, host, "savetest");
    EXPECT_EQ(host.messages, QStringList{"open file error1"});
}

} // namespace
