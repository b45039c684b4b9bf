#pragma once

#include "document/RecoveryRecord.h"
#include "subtitles/CueList.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

/// Samples a step exchanges: the recording's frames at .. at + length - 1 for `frames`.
/// Doing the exchange undoes the step, doing it again redoes it.
struct SampleSwap {
    int at = 0;
    int length = 0;
    SampleVector frames[2];
};

/// Cues a step exchanges: the list's records first .. first + count - 1 for `records`.
struct CueSwap {
    int first = 0;
    int count = 0;
    std::vector<Cue> records;
};

/// One edit that can be undone and redone. It holds only what the edit took out of the
/// document (or, once undone, what undoing took out): undo and redo are the same exchange.
struct EditStep {
    QString name; ///< "Cut", "Add Subtitle" ...
    std::optional<SampleSwap> samples;
    std::optional<CueSwap> cues;
    /// The selection and the current cue on the other side of the exchange.
    int selStart = 0;
    int selEnd = 0;
    int curCue = -1;
    /// A step that makes a cue current (-1: none) keeps it here: a redo makes that cue current
    /// again whatever was current when the step was undone, and an undo the one before it.
    struct CurrentCues {
        int before = -1;
        int after = -1;
    };
    std::optional<CurrentCues> current;
    /// How the sample edit is done again on the recording it was made on (with `samples`).
    std::optional<ReplayOp> replay;

    /// Bytes of samples and cue texts the step holds.
    qint64 MemoryBytes() const;
};

/// The cue records that differ between `before` and the list now, as the exchange that
/// turns the list back into `before`: the stretch between their common start and end.
/// Nothing when they are equal.
std::optional<CueSwap> CueDifference(const std::vector<Cue>& before, const CueList& after);

/// The undo history: the steps done and undone, a mark for the state that was last saved or
/// opened, and a memory cap that drops the oldest steps first (the newest always stays).
class History {
public:
    /// Forgets every step; the current state is the saved one.
    void Clear();
    void SetCapacity(qint64 bytes);
    qint64 Capacity() const { return m_nCapacity; }

    /// Adds a step after the current state, dropping the steps that were undone.
    void Push(EditStep step);

    bool CanUndo() const { return m_nApplied > 0; }
    bool CanRedo() const { return m_nApplied < int(m_steps.size()); }
    /// The step Undo or Redo would exchange, for its name; null when there is none.
    const EditStep* NextUndo() const;
    const EditStep* NextRedo() const;
    /// The step to exchange for an undo; MarkUndone once the exchange succeeded.
    EditStep& UndoStep() { return m_steps[size_t(m_nApplied - 1)]; }
    void MarkUndone();
    /// The step to exchange for a redo; MarkRedone once the exchange succeeded.
    EditStep& RedoStep() { return m_steps[size_t(m_nApplied)]; }
    void MarkRedone();

    /// Whether the current state is the one last saved or opened.
    bool IsClean() const { return m_nClean == m_nApplied; }
    void MarkClean() { m_nClean = m_nApplied; }

    /// The steps leading from the saved state to the current one, oldest first; nothing when
    /// that way is not all forward (undone past the saved state, or its steps were dropped).
    std::optional<std::vector<const EditStep*>> StepsSinceClean() const;

    int Count() const { return int(m_steps.size()); }
    qint64 MemoryBytes() const { return m_nBytes; }

private:
    /// Takes the new size of step i into the total after its exchange.
    void Resized(int i);
    /// Drops done steps from the front while the total exceeds the cap, keeping one.
    void Trim();

    std::deque<EditStep> m_steps;
    std::deque<qint64> m_sizes; ///< MemoryBytes of each step
    int m_nApplied = 0;         ///< steps done, from the front
    int m_nClean = 0;           ///< m_nApplied of the saved state; -1 when no step leads there
    qint64 m_nBytes = 0;        ///< the sum of m_sizes
    qint64 m_nCapacity = 0;     ///< 0: no cap
};
