#include "actions/ClipSaves.h"
#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QByteArray kBom = QByteArray("\xEF\xBB\xBF");
constexpr qint32 kRate = 22050;

enum class Mode { Pairs, Single };

/// A source recording in src/ whose frame i holds i on the left and -i on the right, and an
/// empty out/ folder to export into.
class ClipExportFixture {
protected:
    void Open(const std::vector<Cue>& cues) {
        ASSERT_TRUE(QDir(dir.path()).mkpath("src"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
        std::vector<qint16> interleaved;
        for (int i = 0; i < 400; ++i) {
            interleaved.push_back(qint16(i));
            interleaved.push_back(qint16(-i));
        }
        const QString source = dir.filePath("src/a.wav");
        ASSERT_TRUE(wav::WriteFile(source, wav::Simple(2, kRate, interleaved)));
        ASSERT_TRUE(doc.OnOpenDocument(source));
        AddCues(doc, cues);
    }

    void Export(Mode mode) {
        if (mode == Mode::Pairs) {
            OnSaveVorn(doc, host);
        } else {
            OnSaveVorn2(doc, host);
        }
    }

    QString Out(const QString& name) const { return dir.filePath("out/" + name); }

    QStringList OutFiles() const {
        QStringList names =
            QDir(dir.filePath("out")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

    /// The clip a cue over frames a..b should produce.
    static QByteArray Clip(int a, int b) {
        std::vector<qint16> interleaved;
        for (int i = a; i < b; ++i) {
            interleaved.push_back(qint16(i));
            interleaved.push_back(qint16(-i));
        }
        return wav::Simple(2, kRate, interleaved);
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

const std::vector<Cue> kThreeCues = {{10, 13, "A"}, {20, 22, "B"}, {30, 34, "C"}};

// Naming

struct NamingCase {
    const char* name = "";
    Mode mode = Mode::Single;
    int cues = 0;
    QString chosen;
    QStringList files; ///< what out/ holds afterwards, sorted
};

class ClipNamingTest : public ClipExportFixture, public ::testing::TestWithParam<NamingCase> {};

TEST_P(ClipNamingTest, NumbersCountUpFromTheChosenName) {
    const NamingCase& c = GetParam();
    std::vector<Cue> cues;
    for (int i = 0; i < c.cues; ++i) {
        cues.push_back({10 * i, 10 * i + 5, QString::number(i)});
    }
    Open(cues);
    host.savePaths.push_back(Out(c.chosen));
    Export(c.mode);
    EXPECT_EQ(OutFiles(), c.files);
    EXPECT_TRUE(host.messages.isEmpty()) << host.messages.join('|').toStdString();
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].title, "Save clip to file");
    EXPECT_EQ(host.saveRequests[0].filter, "Wave files(*.wav)");
    EXPECT_EQ(host.saveRequests[0].defaultExtension, ".wav");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipNamingTest,
    ::testing::Values(
        NamingCase{"PairsOdd",
                   Mode::Pairs,
                   3,
                   "10.wav",
                   {"10.txt", "10.wav", "10v.wav", "11.txt", "11.wav"}},
        NamingCase{"PairsEven",
                   Mode::Pairs,
                   4,
                   "10.wav",
                   {"10.txt", "10.wav", "10v.wav", "11.txt", "11.wav", "11v.wav"}},
        NamingCase{"PairsOne", Mode::Pairs, 1, "3.wav", {"3.txt", "3.wav"}},
        NamingCase{"PairsLeadingZeros", Mode::Pairs, 2, "007x.wav", {"7.txt", "7.wav", "7v.wav"}},
        NamingCase{"Single",
                   Mode::Single,
                   3,
                   "10.wav",
                   {"10.txt", "10.wav", "11.txt", "11.wav", "12.txt", "12.wav"}},
        NamingCase{"SingleNoNumber",
                   Mode::Single,
                   3,
                   "take.wav",
                   {"0.txt", "0.wav", "1.txt", "1.wav", "2.txt", "2.wav"}},
        // The chosen file is never written itself.
        NamingCase{"SingleNumberThenWord",
                   Mode::Single,
                   2,
                   "5take.wav",
                   {"5.txt", "5.wav", "6.txt", "6.wav"}},
        NamingCase{"SingleNoCues", Mode::Single, 0, "1.wav", {}},
        NamingCase{"PairsNoCues", Mode::Pairs, 0, "1.wav", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Clip contents

class ClipContentTest : public ClipExportFixture, public ::testing::Test {};

TEST_F(ClipContentTest, PairsWriteEachCuesFrames) {
    Open(kThreeCues);
    host.savePaths.push_back(Out("10.wav"));
    OnSaveVorn(doc, host);
    EXPECT_EQ(wav::ReadFile(Out("10.wav")), Clip(10, 13));
    EXPECT_EQ(wav::ReadFile(Out("10v.wav")), Clip(20, 22));
    EXPECT_EQ(wav::ReadFile(Out("11.wav")), Clip(30, 34));
    EXPECT_EQ(wav::ReadFile(Out("10.txt")), kBom + "A\r\nB");
    EXPECT_EQ(wav::ReadFile(Out("11.txt")), kBom + "C");
    EXPECT_EQ(host.statuses,
              QStringList{"Saved 3 clips and 2 texts in " + QDir::toNativeSeparators(Out(""))});
}

TEST_F(ClipContentTest, SingleWritesEachCuesFramesOverAnExistingFile) {
    Open(kThreeCues);
    ASSERT_TRUE(wav::WriteFile(Out("2.wav"), "an older file, longer than any clip written here"));
    host.savePaths.push_back(Out("1.wav"));
    OnSaveVorn2(doc, host);
    EXPECT_EQ(wav::ReadFile(Out("1.wav")), Clip(10, 13));
    EXPECT_EQ(wav::ReadFile(Out("2.wav")), Clip(20, 22));
    EXPECT_EQ(wav::ReadFile(Out("3.wav")), Clip(30, 34));
    EXPECT_EQ(wav::ReadFile(Out("3.txt")), kBom + "C");
}

TEST_F(ClipContentTest, CancelWritesNothing) {
    for (Mode mode : {Mode::Pairs, Mode::Single}) {
        Open(kThreeCues);
        Export(mode);
        EXPECT_TRUE(OutFiles().isEmpty());
        EXPECT_TRUE(host.messages.isEmpty());
    }
    EXPECT_EQ(host.saveRequests.size(), 2u);
}

// Texts

struct TextCase {
    const char* name = "";
    Mode mode = Mode::Single;
    std::vector<QString> texts;
    QByteArray expected; ///< 0.txt after the byte-order mark
};

class ClipTextTest : public ClipExportFixture, public ::testing::TestWithParam<TextCase> {};

TEST_P(ClipTextTest, WritesTheNormalisedText) {
    const TextCase& c = GetParam();
    std::vector<Cue> cues;
    for (size_t i = 0; i < c.texts.size(); ++i) {
        cues.push_back({int(i) * 10, int(i) * 10 + 5, c.texts[i]});
    }
    Open(cues);
    host.savePaths.push_back(Out("x.wav"));
    Export(c.mode);
    EXPECT_EQ(wav::ReadFile(Out("0.txt")), kBom + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipTextTest,
    ::testing::Values(
        TextCase{"OneLine", Mode::Single, {"x"}, "x"},
        TextCase{"TrimmedAndEmptyLinesDropped",
                 Mode::Single,
                 {"  hello  \n\n\t world \n"},
                 "hello\r\nworld"},
        TextCase{"StoredCrLfKeptSingle", Mode::Single, {"a\r\nb"}, "a\r\nb"},
        TextCase{"PairPlain", Mode::Pairs, {"P", "X\nY"}, "P\r\nX\r\nY"},
        TextCase{"PairSplitsTheFirst", Mode::Pairs, {"Q1\nR1", "X"}, "Q1\r\nX\r\nR1"},
        TextCase{"PairSplitAfterOneCharacter", Mode::Pairs, {"Q\nR", "X"}, "Q\r\nX\r\nR"},
        TextCase{"PairSplitKeepsTheRestTogether",
                 Mode::Pairs,
                 {"Q\nR\nS", " X \n Y"},
                 "Q\r\nX\r\nY\r\nR\r\nS"},
        TextCase{"PairSplitTrimsTheFirstLine", Mode::Pairs, {"  Q  \nR", "X"}, "Q\r\nX\r\nR"},
        // A break as the very first character is not one after it: no split.
        TextCase{"PairLeadingBreak", Mode::Pairs, {"\nQ", "X"}, "Q\r\nX"},
        TextCase{"PairOddLast", Mode::Pairs, {" lone \n"}, "lone"}),
    [](const auto& info) { return std::string(info.param.name); });

// Failures

struct FailureCase {
    const char* name = "";
    Mode mode = Mode::Single;
    QString chosen;
    QString blocker;     ///< a folder created in out/ where a file should go, or empty
    QString failedPath;  ///< the path the message names, under out/
    QString messageHead; ///< the message before the path
    QStringList present; ///< files in out/ afterwards besides the blocker
};

class ClipFailureTest : public ClipExportFixture, public ::testing::TestWithParam<FailureCase> {};

TEST_P(ClipFailureTest, ShowsOneMessage) {
    const FailureCase& c = GetParam();
    Open(kThreeCues);
    if (!c.blocker.isEmpty()) {
        ASSERT_TRUE(QDir(dir.filePath("out")).mkdir(c.blocker));
    }
    host.savePaths.push_back(Out(c.chosen));
    Export(c.mode);
    EXPECT_EQ(host.messages, QStringList{c.messageHead + Out(c.failedPath)});
    EXPECT_TRUE(host.statuses.isEmpty());
    QStringList files = OutFiles();
    files.removeOne(c.blocker);
    EXPECT_EQ(files, c.present);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipFailureTest,
    ::testing::Values(FailureCase{"MissingFolderSingle",
                                  Mode::Single,
                                  "missing/5.wav",
                                  "",
                                  "missing/5.wav",
                                  "Open error ",
                                  {}},
                      FailureCase{"MissingFolderPairs",
                                  Mode::Pairs,
                                  "missing/5.wav",
                                  "",
                                  "missing/5.wav",
                                  "Open error ",
                                  {}},
                      // The second clip fails: the first stays, nothing after it is written.
                      FailureCase{"SecondClipSingle",
                                  Mode::Single,
                                  "5.wav",
                                  "6.wav",
                                  "6.wav",
                                  "Open error ",
                                  {"5.txt", "5.wav"}},
                      FailureCase{"SecondPairClip",
                                  Mode::Pairs,
                                  "5.wav",
                                  "6.wav",
                                  "6.wav",
                                  "Open error ",
                                  {"5.txt", "5.wav", "5v.wav"}},
                      FailureCase{"TextFile",
                                  Mode::Single,
                                  "5.wav",
                                  "5.txt",
                                  "5.txt",
                                  "open file error ",
                                  {"5.wav", "6.txt", "6.wav", "7.txt", "7.wav"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
