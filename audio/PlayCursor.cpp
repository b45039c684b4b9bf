#include "audio/PlayCursor.h"

#include "audio/Player.h"

qint64 PlayCursorFrame(int playStart, quint32 playTick, quint32 now, qint32 rate, int speedTenths) {
    const quint32 elapsedMs = now - playTick;
    return playStart + qint64(elapsedMs) * rate * speedTenths / 10000;
}

qint64 PlayCursorFrame(const PlayRecord& play, quint32 now, qint32 rate) {
    const qint64 frame = PlayCursorFrame(play.start, play.tick, now, rate, play.speedTenths);
    const qint64 length = play.end - play.start;
    if (!play.looping || length <= 0) {
        return frame;
    }
    return play.start + (frame - play.start) % length;
}
