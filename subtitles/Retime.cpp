#include "subtitles/Retime.h"

#include "base/ClockText.h"
#include "subtitles/WideNumber.h"

#include <QCoreApplication>

#include <limits>
#include <utility>

namespace {

constexpr int kLastFrame = std::numeric_limits<int>::max();

/// t' = (t * mul + add) / div, with div > 0.
struct FrameMap {
    Wide mul = 1;
    Wide add = 0;
    Wide div = 1;

    /// t' rounded to the nearest frame, halves away from zero.
    Wide operator()(int t) const {
        const Wide num = Wide(t) * mul + add;
        const Wide quotient = num / div;
        const Wide rest = num % div;
        if (2 * (rest < 0 ? -rest : rest) >= div) {
            return num < 0 ? quotient - 1 : quotient + 1;
        }
        return quotient;
    }
};

/// The map of a retiming, or why it is refused.
struct Plan {
    FrameMap map;
    QString refusal;
};

Plan Refused(QString refusal) {
    return {{}, std::move(refusal)};
}

Plan PlanOf(const CueShift& shift, const CueList&, qint32 rate) {
    const Wide div = 1000 * PowerOfTen(shift.ms.places);
    return {{div, Wide(shift.ms.units) * rate, div}, {}};
}

Plan PlanOf(const CueSync& sync, const CueList& cues, qint32 rate) {
    for (int index : {sync.first, sync.second}) {
        if (!cues.IsValidIndex(index)) {
            return Refused(
                QCoreApplication::translate("Message", "There is no cue %1.").arg(index + 1));
        }
    }
    if (sync.first == sync.second) {
        return Refused(QCoreApplication::translate("Message", "Choose two different cues."));
    }
    const Wide startN = cues.Start(sync.first);
    const Wide span = Wide(cues.Start(sync.second)) - startN;
    if (span == 0) {
        return Refused(QCoreApplication::translate(
                           "Message", "Cues %1 and %2 start together: choose two cues that "
                                      "start apart.")
                           .arg(sync.first + 1)
                           .arg(sync.second + 1));
    }
    const Wide moved = Wide(sync.secondMs) - sync.firstMs;
    if ((moved > 0) != (span > 0) || moved == 0) {
        const bool firstEarlier = span > 0;
        return Refused(QCoreApplication::translate(
                           "Message", "Cue %1 starts before cue %2, so its new time must be "
                                      "the earlier one.")
                           .arg((firstEarlier ? sync.first : sync.second) + 1)
                           .arg((firstEarlier ? sync.second : sync.first) + 1));
    }
    // Milliseconds times the rate are thousandths of a frame:
    // t' = (A * rate * span + (t - startN) * (B - A) * rate) / (1000 * span).
    const Wide a = Wide(sync.firstMs) * rate;
    const Wide slope = moved * rate;
    FrameMap map{slope, a * span - startN * slope, 1000 * span};
    if (map.div < 0) {
        map = {-map.mul, -map.add, -map.div};
    }
    return {map, {}};
}

Plan PlanOf(const FrameRateChange& change, const CueList&, qint32) {
    if (change.from.units <= 0 || change.to.units <= 0) {
        return Refused(
            QCoreApplication::translate("Message", "Frame rates must be greater than 0."));
    }
    return {{Wide(change.from.units) * PowerOfTen(change.to.places), 0,
             Wide(change.to.units) * PowerOfTen(change.from.places)},
            {}};
}

QString BeforeStart(const CueShift&, int number) {
    return QCoreApplication::translate(
               "Message", "The shift would move cue %1 before the start of the recording.")
        .arg(number);
}

QString BeforeStart(const CueSync&, int number) {
    return QCoreApplication::translate(
               "Message", "The sync would move cue %1 before the start of the recording.")
        .arg(number);
}

QString BeforeStart(const FrameRateChange&, int number) {
    return QCoreApplication::translate(
               "Message",
               "The frame rate change would move cue %1 before the start of the recording.")
        .arg(number);
}

} // namespace

RetimeResult RetimeCueList(CueList& cues, const std::vector<int>& rows, const Retiming& how,
                           qint32 rate) {
    const Plan plan = std::visit([&](const auto& kind) { return PlanOf(kind, cues, rate); }, how);
    if (!plan.refusal.isEmpty()) {
        return {0, plan.refusal};
    }
    std::vector<bool> chosen(size_t(cues.Count()), rows.empty());
    for (int row : rows) {
        if (cues.IsValidIndex(row)) {
            chosen[size_t(row)] = true;
        }
    }
    // Every new span first, so that a refusal finds the list untouched.
    struct Span {
        int index;
        int start;
        int end;
    };
    std::vector<Span> spans;
    spans.reserve(rows.empty() ? size_t(cues.Count()) : rows.size());
    for (int i = 0; i < cues.Count(); ++i) {
        if (!chosen[size_t(i)]) {
            continue;
        }
        const Wide start = plan.map(cues.Start(i));
        const Wide end = plan.map(cues.End(i));
        if (start < 0 || end < 0) {
            return {0, std::visit([i](const auto& kind) { return BeforeStart(kind, i + 1); }, how)};
        }
        if (start > kLastFrame || end > kLastFrame) {
            return {0, QCoreApplication::translate(
                           "Message", "The retiming would move cue %1 past %2, the latest "
                                      "time a cue can have.")
                           .arg(i + 1)
                           .arg(FormatClock(kLastFrame, rate))};
        }
        spans.push_back({i, int(start), int(end)});
    }
    for (const Span& span : spans) {
        cues.SetStart(span.index, span.start);
        cues.SetEnd(span.index, span.end);
    }
    cues.SortCues();
    return {int(spans.size()), {}};
}
