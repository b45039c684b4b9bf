#include "base/ClockText.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockTextTest, ClockRoundsToTheMillisecond) {
    const struct {
        qint64 frame;
        qint32 rate;
        const char* text;
    } cases[] = {
        {0, 8000, "0:00:00.000"},
        {7995, 8000, "0:00:00.999"},          // 999.375 ms
        {7996, 8000, "0:00:01.000"},          // 999.5 ms rounds up
        {44077, 44100, "0:00:00.999"},        // 999.48 ms
        {44078, 44100, "0:00:01.000"},        // 999.50 ms
        {29787600, 8000, "1:02:03.450"},      //
        {36000 * 8000, 8000, "10:00:00.000"}, // hours take more digits
        {2147483647, 8000, "74:33:55.456"},   //
        {100, 0, "0:00:00.000"},              //
        {-5, 8000, "0:00:00.000"},            //
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatClock(c.frame, c.rate), c.text) << c.frame << " at " << c.rate;
    }
}

TEST(ClockTextTest, SelectionAndPointerTexts) {
    EXPECT_EQ(SelectionTimesText(8000, 28000, 8000), "0:00:01.000 - 0:00:03.500 (0:00:02.500)");
    // The ends as given; an end before the start is no length.
    EXPECT_EQ(SelectionTimesText(28000, 8000, 8000), "0:00:03.500 - 0:00:01.000 (0:00:00.000)");
    EXPECT_EQ(PointerTimeText(20000, 8000), "Pointer 0:00:02.500");
}

} // namespace
