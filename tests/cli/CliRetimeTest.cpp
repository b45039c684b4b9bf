#include "support/CliRun.h"
#include "support/WavBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Six seconds at 8 kHz, 8 frames a millisecond. Cues 3 and 4 start together.
const QByteArray kSidecar =
    "[800,1600]\nhello\nworld\n\n[8000,12000]\nb\n\n[16000,20000]\nc\n\n[16000,18000]\nd\n\n";
const QString kListed = "1\t800\t1600\thello\\nworld\n"
                        "2\t8000\t12000\tb\n"
                        "3\t16000\t20000\tc\n"
                        "4\t16000\t18000\td\n";

struct RetimeCase {
    const char* name = "";
    QStringList args; ///< "IN" and "OUT" stand for the recording and the file written
    int status = 0;
    QString listed; ///< `cues` of what was written (or of IN, for `cues` itself)
    QString err;    ///< with status 2, what comes before the usage
};

class CliRetimeTest : public ::testing::TestWithParam<RetimeCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            wav::WriteFile(Path("in.wav"), wav::Simple(2, 8000, std::vector<qint16>(2 * 48000))));
        ASSERT_TRUE(wav::WriteFile(Path("in.txt"), kSidecar));
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_P(CliRetimeTest, ListsAndRetimesTheCues) {
    const RetimeCase& c = GetParam();
    QStringList args = c.args;
    for (QString& arg : args) {
        arg = arg == "IN" ? Path("in.wav") : arg == "OUT" ? Path("out.wav") : arg;
    }
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, c.status) << run.err.toStdString();
    if (c.args[0] == "cues") {
        EXPECT_EQ(run.out, c.listed);
    } else {
        EXPECT_EQ(run.out, "");
    }
    if (c.status == 2) {
        EXPECT_TRUE(run.err.startsWith(c.err + "usage:")) << run.err.toStdString();
    } else {
        EXPECT_EQ(run.err, c.err);
    }
    if (c.args[0] == "retime" && c.status == 0) {
        EXPECT_EQ(RunCli({"cues", Path("out.wav")}).out, c.listed);
    } else {
        EXPECT_FALSE(QFile::exists(Path("out.wav")));
        EXPECT_FALSE(QFile::exists(Path("out.txt")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRetimeTest,
    ::testing::Values(
        RetimeCase{"Cues", {"cues", "IN"}, 0, kListed, ""},
        RetimeCase{"Shift",
                   {"retime", "IN", "OUT", "--shift", "250"},
                   0,
                   "1\t2800\t3600\thello\\nworld\n2\t10000\t14000\tb\n3\t18000\t22000\tc\n"
                   "4\t18000\t20000\td\n",
                   ""},
        RetimeCase{"ShiftOneCuePastOthers",
                   {"retime", "IN", "OUT", "--cues", "2-2", "--shift", "1100"},
                   0,
                   "1\t800\t1600\thello\\nworld\n2\t16000\t20000\tc\n3\t16000\t18000\td\n"
                   "4\t16800\t20800\tb\n",
                   ""},
        // -100.5 ms is -804 frames.
        RetimeCase{"ShiftBeforeTheStart",
                   {"retime", "IN", "OUT", "--shift", "-100.5"},
                   1,
                   "",
                   "The shift would move cue 1 before the start of the recording.\n"},
        RetimeCase{"ShiftTheLaterCuesBack",
                   {"retime", "IN", "OUT", "--shift", "-100.5", "--cues", "2-4"},
                   0,
                   "1\t800\t1600\thello\\nworld\n2\t7196\t11196\tb\n3\t15196\t19196\tc\n"
                   "4\t15196\t17196\td\n",
                   ""},
        // Cue 2 to 2 s and cue 3 to 4 s: t' = 16000 + (t - 8000) * 2.
        RetimeCase{"Sync",
                   {"retime", "IN", "OUT", "--sync", "2=0:02", "3=00:04.000"},
                   0,
                   "1\t1600\t3200\thello\\nworld\n2\t16000\t24000\tb\n3\t32000\t40000\tc\n"
                   "4\t32000\t36000\td\n",
                   ""},
        // t' = (t - 8000) / 2, which cue 1 cannot follow.
        RetimeCase{"SyncBeforeTheStart",
                   {"retime", "IN", "OUT", "--sync", "2=0", "3=0.5"},
                   1,
                   "",
                   "The sync would move cue 1 before the start of the recording.\n"},
        RetimeCase{"SyncTheLaterCues",
                   {"retime", "IN", "OUT", "--sync", "2=0", "3=0.5", "--cues", "2-4"},
                   0,
                   "1\t0\t2000\tb\n2\t800\t1600\thello\\nworld\n3\t4000\t6000\tc\n"
                   "4\t4000\t5000\td\n",
                   ""},
        RetimeCase{"SyncAgainstTheOrder",
                   {"retime", "IN", "OUT", "--sync", "2=5", "3=1"},
                   1,
                   "",
                   "Cue 2 starts before cue 3, so its new time must be the earlier one.\n"},
        RetimeCase{"FrameRate",
                   {"retime", "IN", "OUT", "--fps", "23.976", "25"},
                   0,
                   "1\t767\t1534\thello\\nworld\n2\t7672\t11508\tb\n3\t15345\t19181\tc\n"
                   "4\t15345\t17263\td\n",
                   ""},
        RetimeCase{"SyncOnOneCue", {"retime", "IN", "OUT", "--sync", "2=1", "2=3"}, 2, "", ""},
        RetimeCase{"SyncOnCuesThatStartTogether",
                   {"retime", "IN", "OUT", "--sync", "3=1", "4=2"},
                   2,
                   "",
                   ""},
        RetimeCase{"SyncOnAMissingCue", {"retime", "IN", "OUT", "--sync", "2=1", "5=3"}, 2, "", ""},
        RetimeCase{"NegativeSyncTime",
                   {"retime", "IN", "OUT", "--sync", "2=-1", "3=3"},
                   2,
                   "",
                   "A time cannot be negative.\n"},
        RetimeCase{"SecondsOfSixtyOrMore",
                   {"retime", "IN", "OUT", "--sync", "2=1:75", "3=3"},
                   2,
                   "",
                   "Minutes and seconds must be less than 60.\n"},
        RetimeCase{"SyncWithoutATime", {"retime", "IN", "OUT", "--sync", "2", "3=3"}, 2, "", ""},
        RetimeCase{"FrameRateOfZero", {"retime", "IN", "OUT", "--fps", "0", "25"}, 2, "", ""},
        RetimeCase{"NegativeFrameRate", {"retime", "IN", "OUT", "--fps", "25", "-24"}, 2, "", ""},
        RetimeCase{"CueZero", {"retime", "IN", "OUT", "--shift", "1", "--cues", "0-2"}, 2, "", ""},
        RetimeCase{
            "CuesPastTheList", {"retime", "IN", "OUT", "--shift", "1", "--cues", "4-5"}, 2, "", ""},
        RetimeCase{
            "CuesBackwards", {"retime", "IN", "OUT", "--shift", "1", "--cues", "3-2"}, 2, "", ""},
        RetimeCase{"MalformedShift", {"retime", "IN", "OUT", "--shift", "1e3"}, 2, "", ""},
        RetimeCase{"ShiftWithoutMilliseconds", {"retime", "IN", "OUT", "--shift"}, 2, "", ""},
        RetimeCase{"NoRetiming", {"retime", "IN", "OUT", "--cues", "1-2"}, 2, "", ""},
        RetimeCase{"TwoRetimings",
                   {"retime", "IN", "OUT", "--shift", "1", "--fps", "25", "24"},
                   2,
                   "",
                   ""},
        RetimeCase{"CuesTwice",
                   {"retime", "IN", "OUT", "--shift", "1", "--cues", "1-2", "--cues", "1-2"},
                   2,
                   "",
                   ""},
        RetimeCase{"CuesWithoutARecording", {"cues"}, 2, "", ""},
        RetimeCase{"RetimeWithoutOptions", {"retime", "IN", "OUT"}, 2, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
