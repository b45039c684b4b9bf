#include "geometry/RulerTicks.h"

#include "geometry/ClockText.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<qint64, 12> kStepsMs{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 1500, 2000};

} // namespace

qint64 MinorTicks::Frame(qint64 index) const {
    return (index * ms * rate + 999) / 1000;
}

TickSpan MinorTicks::Within(qint64 from, qint64 to) const {
    if (ms <= 0) {
        return {};
    }
    // The first index whose frame is at or after f: index * ms * rate > (f - 1) * 1000.
    const auto firstFrom = [this](qint64 f) {
        return f <= 0 ? 0 : (f - 1) * 1000 / (ms * rate) + 1;
    };
    return {firstFrom(from), std::max(firstFrom(from), firstFrom(to))};
}

MinorTicks ChooseMinorTicks(int zoom, qint32 rate, qint64 markPeriod, int minSpacing) {
    if (rate <= 0 || zoom <= 0 || markPeriod <= 0 || markPeriod * 1000 % rate != 0) {
        return {};
    }
    const qint64 markMs = markPeriod * 1000 / rate;
    for (const qint64 ms : kStepsMs) {
        // Ticks are at least this many whole frames apart, so their columns at least
        // minSpacing apart.
        const bool roomy = ms * rate / 1000 >= qint64(minSpacing) * zoom;
        if (ms < markMs && markMs % ms == 0 && roomy) {
            return {rate, ms, markMs};
        }
    }
    return {};
}

QString TickLabel(qint64 frame, qint32 rate) {
    const qint64 ms = FrameMilliseconds(frame, rate);
    return QString::asprintf("%02lld:%02lld.%03lld", ms / 60000, ms / 1000 % 60, ms % 1000);
}
