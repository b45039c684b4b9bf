#pragma once

#include "audio/PlaySpeed.h"

#include <QtGlobal>

struct PlayRecord;

/// The frame under the play cursor: `playStart` plus the milliseconds since `playTick`
/// (a 32-bit tick that may have wrapped) times `rate` times the speed in tenths / 10000, in
/// 64 bits so that the cursor keeps pace with the sound however long it plays.
qint64 PlayCursorFrame(int playStart, quint32 playTick, quint32 now, qint32 rate,
                       int speedTenths = PlaySpeed::kNormal);
/// The frame under the cursor of `play` at its speed; a loop wraps back to its start.
qint64 PlayCursorFrame(const PlayRecord& play, quint32 now, qint32 rate);
