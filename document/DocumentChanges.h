#pragma once

#include <QtGlobal>

// What the document announces with each change, so that every listener redoes only what the
// change touched.

/// Samples that changed: at `at`, `removed` frames were replaced by `inserted` frames (equal
/// for a volume change). `kind` says which edit did it, since the ruler's marks follow pastes.
struct SampleChange {
    enum class Kind { Scaled, Replaced, Exchanged };
    Kind kind = Kind::Replaced;
    qint64 at = 0;
    qint64 removed = 0;
    qint64 inserted = 0;
};

/// Rows of the cue list that changed: from `first`, `removed` rows were replaced by
/// `inserted` rows.
struct CueChange {
    int first = 0;
    int removed = 0;
    int inserted = 0;
};

/// What happened to the history: a step was added, undone or redone, or it started anew.
enum class HistoryChange { Pushed, Undone, Redone, Reset };
