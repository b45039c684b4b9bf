#include "subtitles/Retime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// The cues as "text:start-end", with "!k" for a cue that overlaps k earlier ones.
std::string Describe(const CueList& cues) {
    std::string text;
    for (int i = 0; i < cues.Count(); ++i) {
        text += (i > 0 ? " " : "") + cues.Text(i).toStdString() + ":" +
                std::to_string(cues.Start(i)) + "-" + std::to_string(cues.End(i));
        if (cues.Overlap(i) != 0) {
            text += "!" + std::to_string(cues.Overlap(i));
        }
    }
    return text;
}

TypedDecimal Decimal(const char* text) {
    return ParseTypedDecimal(QString::fromLatin1(text)).value();
}

CueShift Shift(const char* ms) {
    return {Decimal(ms)};
}

FrameRateChange Rates(const char* from, const char* to) {
    return {Decimal(from), Decimal(to)};
}

struct RetimeCase {
    const char* name = "";
    std::vector<Cue> cues;
    std::vector<int> rows;
    Retiming how;
    qint32 rate = 1000;
    std::string after; ///< Describe of the list afterwards
    int retimed = 0;
    QString refusal;
};

class RetimeTest : public ::testing::TestWithParam<RetimeCase> {};

TEST_P(RetimeTest, MapsTheChosenCuesExactlyAndRoundsOnce) {
    const RetimeCase& c = GetParam();
    CueList cues;
    cues.AddCues(c.cues);
    const RetimeResult result = RetimeCueList(cues, c.rows, c.how, c.rate);
    EXPECT_EQ(result.refusal, c.refusal);
    EXPECT_EQ(result.retimed, c.retimed);
    EXPECT_EQ(Describe(cues), c.after);
}

const std::vector<Cue> kThree = {{1000, 1500, "a"}, {2000, 2500, "b"}, {5000, 5500, "c"}};
const char* const kThreeAsTheyWere = "a:1000-1500 b:2000-2500 c:5000-5500";

INSTANTIATE_TEST_SUITE_P(
    Cases, RetimeTest,
    ::testing::Values(
        // Shifts: t + ms * rate / 1000.
        RetimeCase{"ShiftAll",
                   kThree,
                   {},
                   Shift("250"),
                   8000,
                   "a:3000-3500 b:4000-4500 c:7000-7500",
                   3,
                   ""},
        // 12.5 ms at 44.1 kHz is 551.25 frames.
        RetimeCase{
            "ShiftByDecimals", {{1000, 2000, "a"}}, {}, Shift("12.5"), 44100, "a:1551-2551", 1, ""},
        // Half a frame either way: 9.5 and 19.5 round up, and so do 10.5 and 20.5; rounding
        // the offset first would give 9 and 19.
        RetimeCase{
            "ShiftHalfAFrameBack", {{10, 20, "a"}}, {}, Shift("-0.0625"), 8000, "a:10-20", 1, ""},
        RetimeCase{
            "ShiftHalfAFrameOn", {{10, 20, "a"}}, {}, Shift("0.0625"), 8000, "a:11-21", 1, ""},
        RetimeCase{"ShiftToTheVeryStart", {{4, 20, "a"}}, {}, Shift("-0.5"), 8000, "a:0-16", 1, ""},
        // -4.5 frames: -0.5 rounds away from zero, before the start.
        RetimeCase{"ShiftHalfAFrameTooFar",
                   {{4, 20, "a"}},
                   {},
                   Shift("-0.5625"),
                   8000,
                   "a:4-20",
                   0,
                   "The shift would move cue 1 before the start of the recording."},
        // a moves onto c and is sorted before it (the sort is stable); c now overlaps it.
        RetimeCase{"ShiftSomeAndSortAgain",
                   {{0, 100, "a"}, {200, 300, "b"}, {400, 500, "c"}},
                   {0},
                   Shift("50"),
                   8000,
                   "b:200-300 a:400-500 c:400-500!1",
                   1,
                   ""},
        RetimeCase{"RowsTakenOnceAndThoseOutsideIgnored",
                   kThree,
                   {1, 1, 7, -1},
                   Shift("1"),
                   1000,
                   "a:1000-1500 b:2001-2501 c:5000-5500",
                   1,
                   ""},
        // Cue 1 would go below 0 too, but it is not chosen: cue 2 is the first named.
        RetimeCase{"ShiftRefusedNamesTheFirstChosenCue",
                   {{0, 800, "a"}, {400, 1200, "b"}, {1600, 2000, "c"}},
                   {2, 1},
                   Shift("-60"),
                   8000,
                   "a:0-800 b:400-1200!1 c:1600-2000",
                   0,
                   "The shift would move cue 2 before the start of the recording."},
        RetimeCase{"ShiftPastTheLastFrame",
                   {{2147483000, 2147483600, "a"}},
                   {},
                   Shift("100"),
                   1000,
                   "a:2147483000-2147483600",
                   0,
                   "The retiming would move cue 1 past 596:31:23.647, the latest time a cue "
                   "can have."},
        // Syncs: 1000 -> 2000 ms and 5000 -> 10000 ms, twice as slow.
        RetimeCase{"Sync",
                   kThree,
                   {},
                   CueSync{0, 2000, 2, 10000},
                   1000,
                   "a:2000-3000 b:4000-5000 c:10000-11000",
                   3,
                   ""},
        RetimeCase{"SyncFromTheLaterCue",
                   kThree,
                   {},
                   CueSync{2, 10000, 0, 2000},
                   1000,
                   "a:2000-3000 b:4000-5000 c:10000-11000",
                   3,
                   ""},
        // Half as fast from 0: 1.5, 2.5 and 3.5 round up.
        RetimeCase{"SyncRoundsHalvesAwayFromZero",
                   {{0, 1, "a"}, {2, 5, "b"}, {3, 7, "c"}},
                   {},
                   CueSync{0, 0, 1, 1},
                   1000,
                   "a:0-1 b:1-3 c:2-4!1",
                   3,
                   ""},
        // At 8 kHz 1 s is 8000 frames and 3 s 24000: t' = 8000 + (t - 1000) * 4 for b alone,
        // which is sorted after c.
        RetimeCase{"SyncSomeAtTheRecordingsRate",
                   kThree,
                   {1},
                   CueSync{0, 1000, 2, 3000},
                   8000,
                   "a:1000-1500 c:5000-5500 b:12000-14000",
                   1,
                   ""},
        RetimeCase{"SyncBeforeTheStart",
                   kThree,
                   {},
                   CueSync{1, 0, 2, 3000},
                   1000,
                   kThreeAsTheyWere,
                   0,
                   "The sync would move cue 1 before the start of the recording."},
        RetimeCase{"SyncOnOneCue",
                   kThree,
                   {},
                   CueSync{1, 0, 1, 3000},
                   1000,
                   kThreeAsTheyWere,
                   0,
                   "Choose two different cues."},
        RetimeCase{"SyncOnCuesThatStartTogether",
                   {{0, 10, "a"}, {0, 20, "b"}},
                   {},
                   CueSync{0, 0, 1, 3000},
                   1000,
                   "a:0-10 b:0-20!1",
                   0,
                   "Cues 1 and 2 start together: choose two cues that start apart."},
        RetimeCase{"SyncOnAMissingCue",
                   kThree,
                   {},
                   CueSync{0, 0, 3, 3000},
                   1000,
                   kThreeAsTheyWere,
                   0,
                   "There is no cue 4."},
        RetimeCase{"SyncAgainstTheOrder",
                   kThree,
                   {},
                   CueSync{2, 1000, 0, 3000},
                   1000,
                   kThreeAsTheyWere,
                   0,
                   "Cue 1 starts before cue 3, so its new time must be the earlier one."},
        RetimeCase{"SyncToOneTime",
                   kThree,
                   {},
                   CueSync{0, 3000, 1, 3000},
                   1000,
                   kThreeAsTheyWere,
                   0,
                   "Cue 1 starts before cue 2, so its new time must be the earlier one."},
        // Frame rates: t * from / to.
        RetimeCase{"FrameRate",
                   kThree,
                   {},
                   Rates("23.976", "25"),
                   1000,
                   "a:959-1439 b:1918-2398 c:4795-5275",
                   3,
                   ""},
        RetimeCase{"FrameRateTheOtherWay",
                   {{23976, 29970, "a"}},
                   {},
                   Rates("25", "23.976"),
                   8000,
                   "a:25000-31250",
                   1,
                   ""},
        RetimeCase{"FrameRateRoundsHalvesAwayFromZero",
                   {{1, 3, "a"}},
                   {},
                   Rates("30", "20"),
                   1000,
                   "a:2-5",
                   1,
                   ""},
        RetimeCase{"FrameRateOfZero",
                   kThree,
                   {},
                   Rates("0", "25"),
                   1000,
                   kThreeAsTheyWere,
                   0,
                   "Frame rates must be greater than 0."},
        RetimeCase{"NegativeFrameRate",
                   kThree,
                   {},
                   Rates("25", "-24"),
                   1000,
                   kThreeAsTheyWere,
                   0,
                   "Frame rates must be greater than 0."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
