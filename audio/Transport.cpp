#include "audio/Transport.h"

#include "document/CtarnDoc.h"

Transport::Transport(const CtarnDoc& doc, Host& host, WaveOut* output, QObject* parent)
    : QObject(parent), m_doc(doc), m_player(host, output) {
    // The device reads the channel arrays as it plays; an edit may move them.
    connect(&doc, &CtarnDoc::samplesAboutToChange, this, [this] {
        if (m_player.IsPrepared()) {
            OnStop();
        }
    });
}

void Transport::PlayRange(int a, int b) {
    m_player.PlayRange(m_doc.GetRecording(), a, b);
    emit playStateChanged();
}

void Transport::OnPlay() {
    PlayRange(m_doc.SelStart(), m_doc.SelEnd());
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
