#include "base/ClockText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ClockTextTest, ClockTextLaysOutEachStyle) {
    constexpr ClockStyle kMinutes{.lead = ClockLead::Minutes, .leadDigits = 2};
    constexpr ClockStyle kSeconds{.lead = ClockLead::Seconds};
    const struct {
        qint64 ms;
        ClockStyle style;
        const char* text;
    } cases[] = {
        {0, {}, "0:00:00.000"},
        {999, {}, "0:00:00.999"},
        {3599999, {}, "0:59:59.999"},
        {3600000, {.leadDigits = 2, .separator = ','}, "01:00:00,000"},
        {362439999, {}, "100:40:39.999"},           // hours take more digits than asked
        {999, {.fractionDigits = 2}, "0:00:00.99"}, // fractions are cut, not rounded
        {59999, {.fractionDigits = 0}, "0:00:59"},  //
        {3599999, kMinutes, "59:59.999"},           //
        {362439999, kMinutes, "6040:39.999"},       // hours folded into minutes
        {3599999, kSeconds, "3599.999"},            // and minutes into seconds
        {-1500, {}, "-0:00:01.500"},                //
        {-1, kMinutes, "-00:00.001"},               //
        {std::numeric_limits<qint64>::min(), kSeconds, "-9223372036854775.808"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClockText(c.ms, c.style), c.text) << c.ms;
    }
}

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
