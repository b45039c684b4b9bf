#include "subtitles/TypedTime.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const char* const kFormat = "Type a time as h:mm:ss.mmm, mm:ss.mmm or seconds.";
const char* const kNegative = "A time cannot be negative.";
const char* const kSixty = "Minutes and seconds must be less than 60.";
const char* const kTooLong = "A time cannot be longer than 10000 hours.";

TEST(TypedTimeTest, ReadsTimesOrSaysWhyNot) {
    const struct {
        const char* text;
        std::optional<qint64> ms;
        const char* refusal;
    } cases[] = {
        {"12.5", 12500, ""},
        {"0:01:02.345", 62345, ""},
        {"01:02.3", 62300, ""},
        {" \t7 \n", 7000, ""},
        {"0", 0, ""},
        {"12.", 12000, ""},
        {".5", 500, ""},
        {"90", 90000, ""},        // the leading field is not held below 60
        {"75:00", 4500000, ""},   //
        {"1:00:00", 3600000, ""}, //
        {"1.0005", 1001, ""},     // finer than a millisecond: a half rounds up
        {"1.00049999", 1000, ""}, //
        {"0:59.9996", 60000, ""}, // the field is below 60 as typed
        {"10000:00:00", 36000000000, ""},
        {"", std::nullopt, kFormat},
        {"  ", std::nullopt, kFormat},
        {"abc", std::nullopt, kFormat},
        {"1:2:3:4", std::nullopt, kFormat},
        {"1::2", std::nullopt, kFormat},
        {":30", std::nullopt, kFormat},
        {"1:30.5:00", std::nullopt, kFormat}, // only the seconds take a fraction
        {"1.2.3", std::nullopt, kFormat},
        {"1,5", std::nullopt, kFormat},
        {"+5", std::nullopt, kFormat},
        {"1e3", std::nullopt, kFormat},
        {"1 :00", std::nullopt, kFormat},
        {"- 5", std::nullopt, kFormat},
        {"\u0663", std::nullopt, kFormat}, // a digit, but not one of 0-9
        {"-5", std::nullopt, kNegative},
        {"-0:01.5", std::nullopt, kNegative},
        {"1:60", std::nullopt, kSixty},
        {"0:60.0", std::nullopt, kSixty},
        {"1:60:00", std::nullopt, kSixty},
        {"10000:00:00.001", std::nullopt, kTooLong},
        {"36000001", std::nullopt, kTooLong},
        {"99999999999999999999999", std::nullopt, kTooLong},
    };
    for (const auto& c : cases) {
        const TypedTime time = ParseTypedTime(QString::fromUtf8(c.text));
        EXPECT_EQ(time.ms, c.ms) << c.text;
        EXPECT_EQ(time.refusal, c.refusal) << c.text;
    }
}

TEST(TypedTimeTest, MillisecondsRoundToTheNearestFrameHalvesAwayFromZero) {
    const struct {
        qint64 ms;
        qint32 rate;
        qint64 frames;
    } cases[] = {
        {1000, 44100, 44100},
        {1, 44100, 44},
        {-1, 44100, -44},
        {5, 44100, 221},
        {-5, 44100, -221},
        {1, 500, 1},
        {-1, 500, -1},
        {3, 48000, 144},
        {7, 0, 0},
        {7, -8000, 0},
        {36000000000, 192000, 6912000000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MillisecondsToFrames(c.ms, c.rate), c.frames) << c.ms << " at " << c.rate;
    }
}

TEST(TypedTimeTest, DecimalsAreKeptExactly) {
    const struct {
        const char* text;
        std::optional<TypedDecimal> value;
    } cases[] = {
        {"-12.5", TypedDecimal{-125, 1}},
        {"+3", TypedDecimal{3, 0}},
        {" 25 ", TypedDecimal{25, 0}},
        {".5", TypedDecimal{5, 1}},
        {"4.", TypedDecimal{4, 0}},
        {"23.976", TypedDecimal{23976, 3}},
        {"1.500", TypedDecimal{15, 1}},
        {"-0", TypedDecimal{0, 0}},
        {"0.000000001", TypedDecimal{1, 9}},
        {"999999999999999999", TypedDecimal{999999999999999999, 0}},
        {"0.0000000001", std::nullopt},
        {"1000000000000000000", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"--1", std::nullopt},
        {"1e3", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1,5", std::nullopt},
        {"1:30", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<TypedDecimal> value = ParseTypedDecimal(QString::fromUtf8(c.text));
        ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
        if (value) {
            EXPECT_EQ(value->units, c.value->units) << c.text;
            EXPECT_EQ(value->places, c.value->places) << c.text;
        }
    }
}

} // namespace
