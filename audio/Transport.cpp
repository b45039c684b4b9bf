#include "audio/Transport.h"

#include "audio/PlayCursor.h"
#include "base/Host.h"
#include "document/CtarnDoc.h"

#include <algorithm>

Transport::Transport(const CtarnDoc& doc, Host& host, WaveOut* output, QObject* parent)
    : QObject(parent), m_doc(doc), m_host(host), m_player(host, output) {
    // The device reads the channel arrays as it plays; an edit may move them.
    connect(&doc, &CtarnDoc::samplesAboutToChange, this, [this] {
        if (m_player.IsPrepared()) {
            OnStop();
        }
    });
}

void Transport::Play(int a, int b, bool looping) {
    m_player.PlayRange(m_doc.GetRecording(), a, b, m_speedTenths, looping);
    emit playStateChanged();
}

void Transport::PlayRange(int a, int b) {
    Play(a, b, false);
}

void Transport::OnPlay() {
    Play(m_doc.SelStart(), m_doc.SelEnd(), m_looping);
}

void Transport::OnStop() {
    m_player.Stop();
    emit playStateChanged();
}

void Transport::OnPlayOrStop() {
    if (IsPlaying()) {
        OnStop();
    } else {
        OnPlay();
    }
}

void Transport::PlayEdge(EdgePlay edge) {
    if (const std::optional<FrameRange> range =
            EdgePlayRange(edge, m_doc.SelStart(), m_doc.SelEnd(), m_doc.GetRecording().Frames(),
                          m_doc.GetRecording().SampleRate())) {
        PlayRange(range->lo, range->hi);
    }
}

void Transport::EndPlayCursor() {
    m_player.EndCursor();
    emit playStateChanged();
}

void Transport::SetSpeedTenths(int tenths) {
    const int speed = std::clamp(tenths, PlaySpeed::kSlowest, PlaySpeed::kFastest);
    if (speed == m_speedTenths) {
        return;
    }
    m_speedTenths = speed;
    emit speedChanged(speed);
    // A play under way goes on from where it is at the new speed; a loop starts its range
    // over.
    const PlayRecord play = m_player.Record();
    if (IsPlaying() && m_player.IsPrepared()) {
        const qint64 at = play.looping ? play.start
                                       : PlayCursorFrame(play, m_host.TickCount(),
                                                         m_doc.GetRecording().SampleRate());
        if (at < play.end) {
            Play(int(at), play.end, play.looping);
        }
    }
}
