#include "geometry/RulerTicks.h"
#include "geometry/ClockText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

/// Room a "00:00.000" label takes in the default font, with its indent and gap.
constexpr int kSpacing = 70;

TEST(RulerTicksTest, TwoLabelledTimesInEvery400PixelsAtEveryZoomAndRate) {
    // A window holds two labelled columns wherever it starts when every three neighbours lie
    // within its width. 400 and not less: at 192 kHz and zoom 1 a millisecond, the finest
    // labelled step, is 192 columns wide.
    constexpr int kWindow = 400;
    std::vector<std::pair<qint64, bool>> labelled; // column, whether a tick (not a mark)
    for (const qint32 rate : {8000, 11025, 44100, 48000, 192000}) {
        // Marks every 1 to 4 s: a zoom above 1024 sets them, a closer one keeps them.
        for (qint64 seconds = 1; seconds <= 4; ++seconds) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, marks every " << seconds << " s");
            const qint64 period = seconds * rate;
            for (int zoom = 1; zoom <= 4096; ++zoom) {
                const MinorTicks ticks = ChooseMinorTicks(zoom, rate, period, kSpacing);
                // An hour and a third of a second in, off every step.
                const qint64 from = 3600 * qint64(rate) + rate / 3;
                const qint64 to = from + qint64(2 * kWindow) * zoom;
                labelled.clear();
                for (qint64 f = (from + period - 1) / period * period; f < to; f += period) {
                    labelled.emplace_back(f / zoom, false);
                }
                const TickSpan span = ticks.Within(from, to);
                if (ticks.ms > 0) {
                    ASSERT_LT(ticks.Frame(span.first - 1), from) << zoom;
                    ASSERT_GE(ticks.Frame(span.first), from) << zoom;
                    ASSERT_GE(ticks.Frame(span.last), to) << zoom;
                }
                for (qint64 i = span.first; i < span.last; ++i) {
                    if (!ticks.OnMark(i)) {
                        labelled.emplace_back(ticks.Frame(i) / zoom, true);
                    }
                }
                std::sort(labelled.begin(), labelled.end());
                for (size_t i = 0; i + 1 < labelled.size(); ++i) {
                    if (labelled[i].second || labelled[i + 1].second) {
                        ASSERT_GE(labelled[i + 1].first - labelled[i].first, kSpacing) << zoom;
                    }
                    if (i + 2 < labelled.size()) {
                        ASSERT_LE(labelled[i + 2].first - labelled[i].first, kWindow) << zoom;
                    }
                }
                ASSERT_GE(labelled.size(), 4u) << zoom;
            }
        }
    }
}

TEST(RulerTicksTest, StepIsTheShortestWithRoomForItsLabels) {
    const struct {
        int zoom;
        qint32 rate;
        qint64 markPeriod;
        int spacing;
        qint64 ms;
    } cases[] = {
        {1, 8000, 8000, kSpacing, 10},           // 8 columns a millisecond
        {1, 44100, 44100, 88, 2},                // 88.2 columns
        {1, 44100, 44100, 89, 5},                //
        {256, 44100, 44100, kSpacing, 500},      // 86 columns
        {512, 44100, 44100, kSpacing, 0},        // 43: the marks, 86 apart, suffice
        {512, 44100, 4 * 44100, kSpacing, 1000}, // between marks a zoom of 4096 left
        {128, 8000, 3 * 8000, kSpacing, 1500},
        {1, 44100, 44101, kSpacing, 0}, // marks not a whole number of milliseconds apart
        {1, 8000, 0, kSpacing, 0},
        {1, 0, 8000, kSpacing, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseMinorTicks(c.zoom, c.rate, c.markPeriod, c.spacing).ms, c.ms)
            << c.zoom << " " << c.rate << " " << c.markPeriod << " " << c.spacing;
    }
}

TEST(RulerTicksTest, TickLabelsReadBackTheExactTime) {
    for (const qint32 rate : {8000, 11025, 44100, 192000}) {
        for (const qint64 ms : {1, 2, 5}) {
            const MinorTicks ticks{rate, ms, 1000};
            for (qint64 i = 0; i < 1000; ++i) {
                ASSERT_EQ(FrameMilliseconds(ticks.Frame(i), rate), i * ms) << rate << " " << i;
            }
        }
    }
    EXPECT_EQ(TickLabel(0, 8000), "00:00.000");
    EXPECT_EQ(TickLabel(3680145, 44100), "01:23.450");
    EXPECT_EQ(TickLabel(7996, 8000), "00:01.000"); // 999.5 ms
    EXPECT_EQ(TickLabel(6000 * 8000, 8000), "100:00.000");
}

} // namespace
