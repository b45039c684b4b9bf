#include "geometry/RulerTicks.h"

#include "base/ClockText.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<qint64, 22> kStepsMs{
    1,    2,     5,     10,    20,    50,     100,    200,    500,    1000,    2000,
    5000, 10000, 15000, 30000, 60000, 120000, 300000, 600000, 900000, 1800000, 3600000};

LabelFormat FormatOfStep(qint64 ms) {
    return ms < 1000 ? LabelFormat::Milliseconds : LabelFormat::Seconds;
}

} // namespace

QString RulerLabelText(qint64 ms, LabelFormat format) {
    return ClockText(ms, {.lead = ClockLead::Minutes,
                          .leadDigits = 2,
                          .fractionDigits = format == LabelFormat::Seconds ? 0 : 3});
}

qint64 RulerLabels::Frame(qint64 index) const {
    return (index * stepMs * rate + 999) / 1000;
}

TickSpan RulerLabels::Within(qint64 from, qint64 to) const {
    if (stepMs <= 0) {
        return {};
    }
    // The first index whose frame is at or after f: index * stepMs * rate > (f - 1) * 1000.
    const auto firstFrom = [this](qint64 f) {
        return f <= 0 ? 0 : (f - 1) * 1000 / (stepMs * rate) + 1;
    };
    return {firstFrom(from), std::max(firstFrom(from), firstFrom(to))};
}

RulerLabels ChooseRulerLabels(int zoom, qint32 rate, qint64 frames, LabelRoom room) {
    if (rate <= 0 || zoom <= 0) {
        return {};
    }
    // Minutes only grow, so the recording's end has the longest label.
    const qint64 lastMs = FrameMilliseconds(frames, rate);
    for (const qint64 ms : kStepsMs) {
        const LabelFormat format = FormatOfStep(ms);
        const qint64 width =
            RulerLabelText(lastMs, format).size() * qint64(room.charWidth) + room.padding;
        // Labelled times are at least this many whole frames apart, so their columns at
        // least `width` apart.
        if (ms * rate / 1000 >= width * zoom) {
            return {rate, ms, format};
        }
    }
    return {};
}
