#pragma once

#include <QtGlobal>

/// The frame under the play cursor: `playStart` plus the milliseconds since `playTick`
/// (a 32-bit tick that may have wrapped) times `rate` / 1000, in 64 bits so that the
/// cursor keeps pace with the sound however long it plays.
qint64 PlayCursorFrame(int playStart, quint32 playTick, quint32 now, qint32 rate);
