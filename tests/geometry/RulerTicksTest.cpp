#include "geometry/RulerTicks.h"
#include "base/ClockText.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

/// A font whose widest label character is 8 pixels; labels sit 3 pixels right of their line
/// and keep 4 pixels clear before the next.
constexpr int kCharWidth = 8;
constexpr int kIndent = 3;
constexpr int kGap = 4;

/// The milliseconds "mm:ss" or "mm:ss.mmm" reads, or nothing for any other text.
std::optional<qint64> ReadLabel(const QString& text) {
    static const QRegularExpression pattern(R"(^(\d{2,}):([0-5]\d)(?:\.(\d{3}))?$)");
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    return (m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong()) * 1000 +
           m.captured(3).toLongLong();
}

TEST(RulerTicksTest, LabelsNeverOverlapAndReadOneFormatPerZoom) {
    // Any 1000 columns of the ruler hold a label.
    constexpr qint64 kWindow = 1000;
    // Columns checked from the start and from ten hours in (at most an hour), where the
    // minutes take three digits.
    constexpr qint64 kStretch = 200000;
    for (const qint32 rate : {8000, 16000, 22050, 44100, 48000, 96000, 192000}) {
        for (int zoom = 1; zoom <= 4096; zoom *= 2) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, zoom " << zoom);
            const qint64 hour = 3600 * qint64(rate);
            const qint64 length = std::min(hour, kStretch * zoom);
            const RulerLabels labels =
                ChooseRulerLabels(zoom, rate, 10 * hour + length, {kCharWidth, kIndent + kGap});
            std::optional<bool> millis;
            for (const qint64 from : {qint64(0), 10 * hour}) {
                const qint64 to = from + length;
                const TickSpan span = labels.Within(from, to);
                ASSERT_GT(span.last, span.first);
                ASSERT_TRUE(span.first == 0 || labels.Frame(span.first - 1) < from);
                ASSERT_GE(labels.Frame(span.first), from);
                ASSERT_GE(labels.Frame(span.last), to);
                qint64 lastColumn = from / zoom - 1;
                qint64 lastRight = std::numeric_limits<qint64>::min();
                for (qint64 i = span.first; i < span.last; ++i) {
                    const qint64 frame = labels.Frame(i);
                    const QString text = labels.Text(i);
                    ASSERT_EQ(ReadLabel(text), FrameMilliseconds(frame, rate)) << qPrintable(text);
                    const bool hasMillis = text.contains('.');
                    ASSERT_EQ(hasMillis, millis.value_or(hasMillis)) << qPrintable(text);
                    millis = hasMillis;

                    const qint64 column = frame / zoom;
                    const qint64 left = column + kIndent;
                    ASSERT_GE(left, lastRight + kGap) << qPrintable(text);
                    ASSERT_LE(column - lastColumn, kWindow) << qPrintable(text);
                    lastRight = left + text.size() * kCharWidth;
                    lastColumn = column;
                }
                ASSERT_LE(to / zoom - lastColumn, kWindow);
            }
        }
    }
}

TEST(RulerTicksTest, StepIsTheShortestWithRoomForItsLabels) {
    constexpr LabelFormat kMs = LabelFormat::Milliseconds;
    constexpr LabelFormat kS = LabelFormat::Seconds;
    constexpr LabelRoom kRoom{7, 9}; // "00:00.000" takes 72 columns, "00:00" 44
    const struct {
        int zoom;
        qint32 rate;
        qint64 seconds;
        LabelRoom room;
        qint64 ms;
        LabelFormat format;
    } cases[] = {
        {1, 8000, 60, kRoom, 10, kMs},        // 8 columns a millisecond
        {1, 44100, 60, {8, 9}, 2, kMs},       // 88 columns for 81
        {1, 44100, 6000, {8, 9}, 5, kMs},     // "100:00.000" needs 89
        {256, 44100, 60, kRoom, 500, kMs},    // 86 columns
        {512, 44100, 60, kRoom, 1000, kS},    // 43 columns a half second: whole seconds only
        {1024, 8000, 60, kRoom, 10000, kS},   // 7.8 columns a second
        {4096, 8000, 3600, kRoom, 30000, kS}, // 22.5 s to a label
        {4096, 16000, 60, kRoom, 15000, kS},
        {4096, 44100, 60, kRoom, 5000, kS},  // 4 s, the marks, are 43 columns
        {4096, 8000, 60, {10000, 9}, 0, kS}, // no step, not even an hour, has room
        {1, 0, 60, kRoom, 0, kS},
        {0, 8000, 60, kRoom, 0, kS},
    };
    for (const auto& c : cases) {
        const RulerLabels labels = ChooseRulerLabels(c.zoom, c.rate, c.seconds * c.rate, c.room);
        EXPECT_EQ(labels.stepMs, c.ms) << c.zoom << " " << c.rate << " " << c.seconds;
        EXPECT_EQ(labels.format, c.format) << c.zoom << " " << c.rate << " " << c.seconds;
    }
}

} // namespace
