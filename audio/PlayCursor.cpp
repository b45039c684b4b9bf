#include "audio/PlayCursor.h"

qint64 PlayCursorFrame(int playStart, quint32 playTick, quint32 now, qint32 rate) {
    const quint32 elapsedMs = now - playTick;
    return playStart + qint64(elapsedMs) * rate / 1000;
}
