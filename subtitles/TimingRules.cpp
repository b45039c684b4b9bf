#include "subtitles/TimingRules.h"

#include "subtitles/CueList.h"
#include "subtitles/CueText.h"
#include "subtitles/WideNumber.h"

#include <algorithm>
#include <cmath>

namespace {

/// What the line rules and the reading speed read off a text.
struct TextShape {
    int characters = 0;
    int longestLine = 0;
    int lines = 0;
};

/// Code points, line breaks and a placeholder's leading "#" left out. One pass without
/// allocating, as the whole list is checked at once.
TextShape ShapeOf(const QString& text) {
    TextShape shape;
    if (text.isEmpty()) {
        return shape;
    }
    shape.lines = 1;
    int line = 0;
    bool afterHigh = false;
    for (qsizetype k = IsPlaceholderText(text) ? 1 : 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c == QChar('\n')) {
            shape.longestLine = std::max(shape.longestLine, line);
            line = 0;
            ++shape.lines;
            afterHigh = false;
            continue;
        }
        const bool paired = afterHigh && c.isLowSurrogate();
        afterHigh = !paired && c.isHighSurrogate();
        if (!paired) {
            ++line;
            ++shape.characters;
        }
    }
    shape.longestLine = std::max(shape.longestLine, line);
    return shape;
}

/// Whether `frames` at `rate` last less than `limit`.
bool Shorter(qint64 frames, qint32 rate, ExactSeconds limit) {
    return Wide(frames) * limit.den < Wide(limit.num) * rate;
}

bool Longer(qint64 frames, qint32 rate, ExactSeconds limit) {
    return Wide(frames) * limit.den > Wide(limit.num) * rate;
}

/// num / den (num >= 0, den > 0) rounded to `places` decimals, halves up; trailing zeros
/// dropped when `trim`.
QString DecimalText(Wide num, Wide den, int places, bool trim) {
    const Wide scale = PowerOfTen(places);
    const Wide scaled = (num * scale * 2 + den) / (den * 2);
    QString text = QString::number(qint64(scaled / scale));
    QString fraction = QString::number(qint64(scaled % scale)).rightJustified(places, QChar('0'));
    while (trim && fraction.endsWith(QChar('0'))) {
        fraction.chop(1);
    }
    return fraction.isEmpty() ? text : text + QChar('.') + fraction;
}

QString MsText(Wide num, Wide den) {
    return DecimalText(num * 1000, den, 3, true);
}

/// Frames from cue i's end to the next cue's start, negative when they overlap; nothing for
/// the last cue.
std::optional<qint64> SpaceAfter(const CueList& cues, int i) {
    if (!cues.IsValidIndex(i + 1)) {
        return std::nullopt;
    }
    return qint64(cues.Start(i + 1)) - cues.End(i);
}

TimingProfile Netflix(const QString& name, qint64 maxCps) {
    return {name, {maxCps, 0}, {5, 6}, {7, 1}, 2, {24, 0}, std::nullopt, 42, 2};
}

int Flagged(TimingProblems problems) {
    return problems.toInt() != 0 ? 1 : 0;
}

} // namespace

QString MillisecondsText(ExactSeconds time) {
    return MsText(time.num, time.den);
}

QString DecimalText(TypedDecimal value) {
    const bool negative = value.units < 0;
    const QString text = DecimalText(negative ? -Wide(value.units) : Wide(value.units),
                                     PowerOfTen(value.places), value.places, true);
    return negative ? QChar('-') + text : text;
}

ExactSeconds MillisecondsToSeconds(TypedDecimal ms) {
    return {ms.units, qint64(PowerOfTen(ms.places)) * 1000};
}

ExactSeconds TimingProfile::MinGap() const {
    if (minGap) {
        return *minGap;
    }
    return {minGapFrames * qint64(PowerOfTen(fps.places)), fps.units};
}

std::optional<TimingProfile> BuiltInProfile(QStringView shortName) {
    if (shortName == u"netflix") {
        return Netflix(QStringLiteral("Netflix (adults)"), 20);
    }
    if (shortName == u"netflix-children") {
        return Netflix(QStringLiteral("Netflix (children)"), 17);
    }
    return std::nullopt;
}

QString TimingProblemName(TimingProblem problem) {
    switch (problem) {
    case TimingProblem::Cps:
        return QStringLiteral("cps");
    case TimingProblem::Short:
        return QStringLiteral("short");
    case TimingProblem::Long:
        return QStringLiteral("long");
    case TimingProblem::Gap:
        return QStringLiteral("gap");
    case TimingProblem::Overlap:
        return QStringLiteral("overlap");
    case TimingProblem::Line:
        return QStringLiteral("line");
    case TimingProblem::Lines:
        return QStringLiteral("lines");
    case TimingProblem::Uncertain:
        return QStringLiteral("uncertain");
    }
    return {};
}

TimingProblems CueTimingProblems(const CueList& cues, int i, qint32 rate,
                                 const TimingProfile& profile) {
    TimingProblems problems;
    const TextShape shape = ShapeOf(cues.Text(i));
    const qint64 duration = qint64(cues.End(i)) - cues.Start(i);
    const std::optional<qint64> space = SpaceAfter(cues, i);
    if (rate > 0) {
        const TypedDecimal& cps = profile.maxCps;
        problems.setFlag(TimingProblem::Cps,
                         duration > 0 && Wide(shape.characters) * rate * PowerOfTen(cps.places) >
                                             Wide(cps.units) * duration);
        problems.setFlag(TimingProblem::Short, Shorter(duration, rate, profile.minDuration));
        problems.setFlag(TimingProblem::Long, Longer(duration, rate, profile.maxDuration));
        problems.setFlag(TimingProblem::Gap,
                         space && *space >= 0 && Shorter(*space, rate, profile.MinGap()));
    }
    problems.setFlag(TimingProblem::Overlap, space && *space < 0);
    problems.setFlag(TimingProblem::Line, shape.longestLine > profile.maxLineChars);
    problems.setFlag(TimingProblem::Lines, shape.lines > profile.maxLines);
    const float confidence = cues.Confidence(i);
    problems.setFlag(TimingProblem::Uncertain, confidence >= 0 && confidence < kUncertainBelow);
    return problems;
}

TimingFigures ProblemFigures(const CueList& cues, int i, qint32 rate, const TimingProfile& profile,
                             TimingProblem problem) {
    const qint64 duration = qint64(cues.End(i)) - cues.Start(i);
    const qint64 space = SpaceAfter(cues, i).value_or(0);
    switch (problem) {
    case TimingProblem::Cps:
        return {DecimalText(Wide(ShapeOf(cues.Text(i)).characters) * rate, duration, 1, false),
                DecimalText(profile.maxCps.units, PowerOfTen(profile.maxCps.places), 1, false)};
    case TimingProblem::Short:
        return {MsText(duration, rate), MsText(profile.minDuration.num, profile.minDuration.den)};
    case TimingProblem::Long:
        return {MsText(duration, rate), MsText(profile.maxDuration.num, profile.maxDuration.den)};
    case TimingProblem::Gap:
        return {MsText(space, rate), MsText(profile.MinGap().num, profile.MinGap().den)};
    case TimingProblem::Overlap:
        return {MsText(-space, rate), QStringLiteral("0")};
    case TimingProblem::Line:
        return {QString::number(ShapeOf(cues.Text(i)).longestLine),
                QString::number(profile.maxLineChars)};
    case TimingProblem::Lines:
        return {QString::number(ShapeOf(cues.Text(i)).lines), QString::number(profile.maxLines)};
    case TimingProblem::Uncertain:
        // Cut, not rounded: 0.499 is under the limit and must not read as 0.50.
        return {QString::number(std::floor(cues.Confidence(i) * 100.0) / 100.0, 'f', 2),
                QString::number(kUncertainBelow, 'f', 2)};
    }
    return {};
}

void TimingCheck::CheckAll(const CueList& cues, qint32 rate, const TimingProfile& profile) {
    m_problems.resize(size_t(cues.Count()));
    m_flagged = 0;
    for (int i = 0; i < cues.Count(); ++i) {
        m_problems[size_t(i)] = CueTimingProblems(cues, i, rate, profile);
        m_flagged += Flagged(m_problems[size_t(i)]);
    }
}

void TimingCheck::Recheck(const CueList& cues, qint32 rate, const TimingProfile& profile, int first,
                          int last) {
    for (int i = std::max(first - 1, 0); i <= std::min(last, Count() - 1); ++i) {
        const TimingProblems now = CueTimingProblems(cues, i, rate, profile);
        m_flagged += Flagged(now) - Flagged(m_problems[size_t(i)]);
        m_problems[size_t(i)] = now;
    }
}

void TimingCheck::Recheck(const CueList& cues, qint32 rate, const TimingProfile& profile,
                          CueRows change) {
    const auto at = m_problems.begin() + change.first;
    for (auto row = at; row != at + change.removed; ++row) {
        m_flagged -= Flagged(*row);
    }
    m_problems.insert(m_problems.erase(at, at + change.removed), size_t(change.inserted),
                      TimingProblems());
    Recheck(cues, rate, profile, change.first, change.first + change.inserted - 1);
}
