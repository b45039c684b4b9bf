#pragma once

#include "base/FrameRange.h"

#include <QString>

#include <utility>
#include <vector>

/// The confidence of a cue that was not aligned to speech, or whose timing was accepted.
inline constexpr float kNoConfidence = -1.0f;

/// One subtitle as it is added: a span of frames and its text (lines separated by LF), with
/// how sure an alignment was of its timing (0 .. 1), kept while the document is open.
struct Cue {
    int start = 0;
    int end = 0;
    QString text;
    float confidence = kNoConfidence;
};

/// The cues of a document, kept sorted by start (stable: equal starts keep their order),
/// with the number of earlier cues each one collides with. Grows as needed.
/// Index arguments of the accessors must satisfy IsValidIndex.
class CueList {
public:
    int Count() const { return int(m_start.size()); }
    bool IsValidIndex(int i) const { return i >= 0 && i < Count(); }

    int Start(int i) const { return m_start[size_t(i)]; }
    int End(int i) const { return m_end[size_t(i)]; }
    const QString& Text(int i) const { return m_text[size_t(i)]; }
    /// Cues earlier in the list whose spans intersect this one; 0 means clean.
    int Overlap(int i) const { return m_overlap[size_t(i)]; }
    /// How sure an alignment was of the cue's timing, 0 .. 1; kNoConfidence when none.
    float Confidence(int i) const { return m_confidence[size_t(i)]; }

    /// Adds one cue after every cue with the same start, keeping the list sorted (as it must
    /// be: call SortCues after changes in place), and returns the lowest index whose start
    /// equals `start` (which is the new cue unless an earlier cue has the same start).
    int AddCue(int start, int end, QString text);
    /// Gives cue i (a valid index) the span start .. end and moves it where a stable sort
    /// would put it, recounting only the pairs with it; returns its new index. A new span
    /// drops the cue's confidence.
    int MoveCue(int i, int start, int end);
    /// Adds many cues with one sort, for readers of whole files.
    void AddCues(std::vector<Cue> cues);
    /// Removes every cue with an empty text and sorts the rest.
    void RemoveEmptyCues();
    /// Sorts by start and recounts the overlaps; call after changing a start or end in place.
    void SortCues();
    /// The indexes first .. last - 1 of the cues that may reach into frames lo .. hi (both
    /// inclusive): none before them ends at or after lo, none after them starts at or before
    /// hi. Found by search, so that a window of an hour's cues costs the cues it shows.
    std::pair<int, int> CuesNear(qint64 lo, qint64 hi) const;
    /// The lowest index whose span, in columns of `scale` frames, holds the column of `pos`
    /// (both ends inclusive), among the cues that overlap an earlier one when
    /// `overlappedLane`, else among the clean ones; -1 when there is none.
    int FindCueAt(int pos, int scale, bool overlappedLane) const;

    // An edit that changes the cue drops its confidence: the user has timed it.
    void SetStart(int i, int start);
    void SetEnd(int i, int end);
    void SetText(int i, QString text);
    void SetConfidence(int i, float confidence) { m_confidence[size_t(i)] = confidence; }
    /// Removes cue i (a valid index) and sorts the rest.
    void RemoveCue(int i);
    void Clear();

    /// Moves the cues after a change of length of the audio: `removed` is the selection that
    /// was replaced, `delta` the change in frames and `newStart` where a cue that started
    /// inside the selection and ends after it now starts. Cues wholly inside are removed.
    /// The cues keep their confidences: the audio moved, not their timing against it.
    void ShiftCues(FrameRange removed, int delta, int newStart);

    /// Cues first .. first + count - 1 as records (valid indexes).
    std::vector<Cue> Records(int first, int count) const;
    /// Replaces cues first .. first + count - 1 with `records` and recounts the overlaps;
    /// returns the cues replaced. The records must keep the list sorted by start, as a
    /// stretch taken from an earlier state of the same list does.
    std::vector<Cue> ReplaceRecords(int first, int count, std::vector<Cue> records);

private:
    void Append(Cue cue);
    /// Inserts a cue at `at`, where it keeps the list sorted, and counts its collisions.
    void InsertAt(size_t at, int start, int end, QString text, float confidence);
    /// Recounts the overlaps and the reach after the starts or ends changed.
    void Recount();

    std::vector<int> m_start;
    std::vector<int> m_end;
    std::vector<QString> m_text;
    std::vector<int> m_overlap;
    std::vector<float> m_confidence;
    /// The latest end among cues 0 .. i: rising, so that a search finds the first cue that
    /// may reach a frame.
    std::vector<int> m_reach;
};
