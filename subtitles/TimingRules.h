#pragma once

#include "subtitles/TypedTime.h"

#include <QFlags>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

class CueList;

// The reading-speed and timing rules a cue list is held to, checked exactly in frames of the
// recording: a cue exactly at a limit passes, one frame past it fails.

/// A span of time kept exactly: num / den seconds, with den > 0.
struct ExactSeconds {
    qint64 num = 0;
    qint64 den = 1;
};

/// Typed milliseconds (non-negative) as exact seconds.
ExactSeconds MillisecondsToSeconds(TypedDecimal ms);
/// `time` as milliseconds to read or type again, e.g. "833.333" (three decimals at most,
/// trailing zeros dropped).
QString MillisecondsText(ExactSeconds time);
/// A decimal as it would be typed, e.g. "23.976".
QString DecimalText(TypedDecimal value);

/// The limits of one set of rules.
struct TimingProfile {
    QString name;
    TypedDecimal maxCps;      ///< characters per second
    ExactSeconds minDuration; ///< a cue shown for less is too short
    ExactSeconds maxDuration; ///< a cue shown for more is too long
    int minGapFrames = 0;     ///< frames of the video between a cue's end and the next start
    TypedDecimal fps;         ///< frames per second of the video, above 0
    /// A minimum gap given as a time, in place of minGapFrames.
    std::optional<ExactSeconds> minGap;
    int maxLineChars = 0;
    int maxLines = 0;

    /// The minimum gap as a time: minGap when set, else minGapFrames at fps.
    ExactSeconds MinGap() const;
};

/// The built-in profile known by `shortName` ("netflix", "netflix-children"); nothing when
/// there is none.
std::optional<TimingProfile> BuiltInProfile(QStringView shortName);

enum class TimingProblem : quint8 {
    Cps = 0x01,     ///< more characters per second than the maximum
    Short = 0x02,   ///< shown for less than the minimum duration
    Long = 0x04,    ///< shown for more than the maximum duration
    Gap = 0x08,     ///< the next cue starts less than the minimum gap after this one ends
    Overlap = 0x10, ///< the next cue starts before this one ends
    Line = 0x20,    ///< a line longer than the maximum characters
    Lines = 0x40,   ///< more lines than the maximum
    /// an alignment gave the cue's timing a confidence under kUncertainBelow, and the user has
    /// neither edited nor accepted it since
    Uncertain = 0x80,
};
Q_DECLARE_FLAGS(TimingProblems, TimingProblem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TimingProblems)

/// Every problem, in the order reports list them.
inline constexpr std::array<TimingProblem, 8> kTimingProblems = {
    TimingProblem::Cps,     TimingProblem::Short, TimingProblem::Long,  TimingProblem::Gap,
    TimingProblem::Overlap, TimingProblem::Line,  TimingProblem::Lines, TimingProblem::Uncertain};

/// An aligned cue with a confidence under this is uncertain.
inline constexpr float kUncertainBelow = 0.5f;

/// "cps", "short", "long", "gap", "overlap", "line", "lines" or "uncertain".
QString TimingProblemName(TimingProblem problem);

/// The problems of cue i (a valid index) of cues recorded at `rate` frames per second; a
/// gap or an overlap belongs to the earlier cue of the pair. The timing rules need a rate
/// above 0.
TimingProblems CueTimingProblems(const CueList& cues, int i, qint32 rate,
                                 const TimingProfile& profile);

/// A problem's figures in the rule's unit: characters per second with one decimal,
/// milliseconds (up to three decimals), characters, lines or a confidence (two decimals).
struct TimingFigures {
    QString value;
    QString limit;
};

/// The figures of `problem` for cue i (a valid index); an overlap's value is how long the
/// next cue starts before this one ends, its limit 0.
TimingFigures ProblemFigures(const CueList& cues, int i, qint32 rate, const TimingProfile& profile,
                             TimingProblem problem);

/// Rows of a cue list that changed: from `first`, `removed` rows gave way to `inserted`.
struct CueRows {
    int first = 0;
    int removed = 0;
    int inserted = 0;
};

/// The problems of every cue of a list, kept up to date row by row as the list changes.
class TimingCheck {
public:
    void CheckAll(const CueList& cues, qint32 rate, const TimingProfile& profile);
    /// Re-checks rows first - 1 .. last (the earlier neighbour's gap and overlap follow a
    /// change) after cues first .. last changed in place.
    void Recheck(const CueList& cues, qint32 rate, const TimingProfile& profile, int first,
                 int last);
    /// Follows rows removed and inserted, then re-checks the rows the change touched.
    void Recheck(const CueList& cues, qint32 rate, const TimingProfile& profile, CueRows change);

    int Count() const { return int(m_problems.size()); }
    /// The problems of row i (a valid index).
    TimingProblems Problems(int i) const { return m_problems[size_t(i)]; }
    /// How many cues have any problem.
    int FlaggedCount() const { return m_flagged; }

private:
    std::vector<TimingProblems> m_problems;
    int m_flagged = 0;
};
