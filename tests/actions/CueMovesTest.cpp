#include "actions/CueMoves.h"

#include "document/CtarnDoc.h"
#include "support/DocAccess.h"
#include "support/FakeHost.h"
#include "support/WavBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// 8000 Hz, 40000 frames: 10 ms are 80 frames.
class CueMovesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wav::WriteFile(dir.filePath("a.wav"),
                                   wav::Simple(2, 8000, std::vector<qint16>(2 * 40000))));
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("a.wav")));
        AddCues(doc, {{1000, 2000, "a"}, {3000, 4000, "b"}});
    }

    QTemporaryDir dir;
    FakeHost host;
    CtarnDoc doc{host};
};

TEST_F(CueMovesTest, MovePastANeighbourResortsAndIsOneStep) {
    const CueCommandResult result = MoveCue(doc, 0, 5000, 6000);
    EXPECT_EQ(result.curCue, 1);
    EXPECT_EQ(doc.Cues().Text(1), "a");
    EXPECT_EQ(doc.Cues().Start(1), 5000);
    EXPECT_TRUE(doc.IsModified());
    doc.OnEditUndo();
    EXPECT_EQ(doc.Cues().Text(0), "a");
    EXPECT_EQ(doc.Cues().Start(0), 1000);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(MoveCue(doc, 0, 500, 500).changed);
    EXPECT_FALSE(MoveCue(doc, 7, 500, 600).changed);
    EXPECT_FALSE(doc.GetHistory().CanUndo());
}

TEST_F(CueMovesTest, NudgesMoveOneEdgeByMilliseconds) {
    const struct {
        CuePart edge;
        int ms;
        int start, end;
    } cases[] = {
        {CuePart::Start, -10, 920, 2000}, {CuePart::Start, 100, 1800, 2000},
        {CuePart::Start, -1000, 0, 2000}, {CuePart::Start, 1000, 1999, 2000},
        {CuePart::End, 10, 1000, 2080},   {CuePart::End, -1000, 1000, 1001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ms);
        const CueCommandResult result = NudgeCue(doc, 0, c.edge, c.ms);
        EXPECT_EQ(result.curCue, 0);
        EXPECT_EQ(doc.Cues().Start(0), c.start);
        EXPECT_EQ(doc.Cues().End(0), c.end);
        doc.OnEditUndo();
    }
    EXPECT_FALSE(NudgeCue(doc, -1, CuePart::Start, 10).changed);
}

} // namespace
