#pragma once

#include "recording/SampleSummary.h"

#include <QtGlobal>

/// Columns of a strip of `frames` frames at `zoom` frames per column: one per started
/// column, and one more (the strip is frames / zoom + 1 columns wide). 0 for no frames.
qint64 EnvelopeColumns(qint64 frames, int zoom);

/// The four envelope entries of columns firstColumn .. firstColumn + count - 1 of one
/// channel, written to out[0 .. 4 * count): the column's first value, its two extremes in
/// the order a line through them follows the signal (low then high when the column rises),
/// and its last value. A column's last value is 0 when its last frame lies past the end,
/// and that 0 counts among its extremes; a column that starts past the end is all 0.
/// Reads the summary for the inside of long columns, so the cost grows with `count`, not
/// with `zoom` or the recording. firstColumn >= 0, zoom >= 1.
void BuildEnvelope(const qint16* samples, int frames, const SampleSummary& summary, int zoom,
                   qint64 firstColumn, int count, qint16* out);

/// Whether column `column` at `zoom` holds a ruler mark: a frame inside the recording whose
/// index is a multiple of `period` (no frame is marked when period <= 0).
bool ColumnHasMark(qint64 column, int zoom, int frames, qint64 period);
