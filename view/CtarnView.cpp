#include "view/CtarnView.h"

#include "actions/CueMoves.h"
#include "audio/PlayCursor.h"
#include "document/CtarnDoc.h"
#include "geometry/ScrollRules.h"
#include "geometry/ViewGeometry.h"
#include "view/WaveformPainter.h"

#include <QPainter>
#include <QScrollBar>

namespace {

/// The play cursor is a bar this many pixels above and below the left channel's centre.
constexpr int kCursorHalfHeight = 2;

} // namespace

CtarnView::CtarnView(QWidget* parent) : QAbstractScrollArea(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    m_timer.setInterval(kCursorTimerMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { viewport()->update(); });
    AddCommands();
}

void CtarnView::SetDocument(CtarnDoc* doc) {
    if (m_pDoc) {
        disconnect(m_pDoc, nullptr, this, nullptr);
        disconnect(&m_pDoc->GetRecording(), nullptr, this, nullptr);
    }
    m_pDoc = doc;
    if (m_pDoc) {
        connect(m_pDoc, &CtarnDoc::viewsUpdateRequested, this,
                [this](int hint) { OnUpdate(hint); });
        connect(&m_pDoc->GetRecording(), &Recording::changed, this,
                [this] { viewport()->update(); });
        connect(m_pDoc, &CtarnDoc::playStateChanged, this, [this] { OnPlayStateChanged(); });
        connect(m_pDoc, &CtarnDoc::currentCueSet, this, [this] { ShowCurrentCue(); });
    }
}

int CtarnView::CurrentCue() const {
    return m_pDoc ? m_pDoc->CurrentCue() : -1;
}

void CtarnView::OnInitialUpdate() {
    OnUpdate(0);
    m_timer.start();
}

void CtarnView::OnUpdate(int hint) {
    if (!m_pDoc || (hint != 0 && hint != 1)) {
        return;
    }
    SetScrollSizes();
    if (hint == 0) {
        // A new cue list: the old index would point at some other cue, or none.
        m_pDoc->SetCurrentCue(-1);
        horizontalScrollBar()->setValue(0);
    } else {
        // A cut may have removed the current cue.
        if (!m_pDoc->Cues().IsValidIndex(CurrentCue())) {
            m_pDoc->SetCurrentCue(-1);
        }
        horizontalScrollBar()->setValue(SelectionScrollPos(m_pDoc->SelStart(), m_pDoc->SelEnd(),
                                                           m_pDoc->Zoom(), viewport()->width()));
    }
    Redraw();
}

void CtarnView::SetScrollSizes() {
    const int width = viewport()->width();
    const ScrollSizes sizes = StripScrollSizes(m_pDoc ? m_pDoc->StripColumns() : 0, width);
    m_nScrollTotal = sizes.total;
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, sizes.total - width));
    bar->setPageStep(std::max(sizes.page, 1));
    bar->setSingleStep(std::max(sizes.line, 1));
}

void CtarnView::OnZoomIn() {
    if (m_pDoc) {
        m_pDoc->SetZoom(ZoomIn(m_pDoc->Zoom()));
        ApplyZoom();
    }
}

void CtarnView::OnZoomOut() {
    if (m_pDoc) {
        m_pDoc->SetZoom(ZoomOut(m_pDoc->Zoom()));
        ApplyZoom();
    }
}

void CtarnView::ApplyZoom() {
    if (!m_pDoc) {
        return;
    }
    const int width = viewport()->width();
    const int oldPos = ScrollPos();
    const int oldMax = ScrollMax();
    SetScrollSizes();
    horizontalScrollBar()->setValue(CentredScrollPos(width, oldPos, oldMax, m_nScrollTotal));
    Redraw();
}

void CtarnView::OnVolumeDown() {
    if (m_pDoc) {
        m_pDoc->ScaleSelection(9);
        Redraw();
    }
}

void CtarnView::OnVolumeUp() {
    if (m_pDoc) {
        m_pDoc->ScaleSelection(11);
        Redraw();
    }
}

void CtarnView::OnAddSubtitle() {
    if (m_pDoc) {
        Apply(AddSubtitle(*m_pDoc, CurrentCue()));
    }
}

void CtarnView::OnDeleteSubtitle() {
    if (m_pDoc) {
        Apply(DeleteSubtitle(*m_pDoc, CurrentCue()));
    }
}

void CtarnView::OnAtach() {
    if (m_pDoc) {
        Apply(Atach(*m_pDoc, CurrentCue()));
    }
}

void CtarnView::OnCheckConflict() {
    if (m_pDoc) {
        Apply(CheckConflict(*m_pDoc, CurrentCue(), viewport()->width()));
    }
}

void CtarnView::OnNudge(CuePart edge, int ms) {
    if (m_pDoc) {
        Apply(NudgeCue(*m_pDoc, CurrentCue(), edge, ms));
    }
}

void CtarnView::OnGoToStart() {
    horizontalScrollBar()->setValue(0);
}

void CtarnView::OnGoToEnd() {
    horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
}

void CtarnView::ShowCurrentCue() {
    viewport()->update();
    const CueList& cues = m_pDoc->Cues();
    const int cue = CurrentCue();
    if (cues.IsValidIndex(cue)) {
        horizontalScrollBar()->setValue(CueScrollPos(cues.Start(cue), cues.End(cue), m_pDoc->Zoom(),
                                                     ScrollPos(), viewport()->width()));
    }
}

void CtarnView::Apply(const CueCommandResult& result) {
    m_pDoc->SetCurrentCue(result.curCue);
    if (result.scrollPos) {
        horizontalScrollBar()->setValue(*result.scrollPos);
    }
    if (result.redraw) {
        Redraw();
    }
}

void CtarnView::Redraw() {
    m_cursor.reset();
    viewport()->repaint();
    emit stateChanged();
}

int CtarnView::ScrollPos() const {
    return horizontalScrollBar()->value();
}

QPoint CtarnView::Logical(const QPoint& devicePoint) const {
    return {devicePoint.x() + ScrollPos(), devicePoint.y()};
}

void CtarnView::OnDraw(QPainter& painter, int width, int height) {
    if (m_pDoc) {
        PaintArea area{ScrollPos(), width, height};
        if (m_cueDrag) {
            area.movedCue = m_cueDrag->cue;
            area.movedStart = m_cueDrag->span.start;
            area.movedEnd = m_cueDrag->span.end;
        }
        PaintWaveform(painter, *m_pDoc, CurrentCue(), area, palette().color(QPalette::Dark),
                      m_buffers);
    }
}

void CtarnView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (m_pDoc && m_pDoc->Frames() == 0) {
        // Nothing to draw yet: say how to get something (on screen only, never printed).
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap,
                         tr("Open a recording (Ctrl+O) or drop a file here"));
        return;
    }
    OnDraw(painter, viewport()->width(), viewport()->height());
    if (!m_cursor || !m_pDoc) {
        return;
    }
    const int y = viewport()->height() / 4 - kCursorHalfHeight;
    const int x0 = ScrollPos();
    const CursorBars& bars = *m_cursor;
    if (!bars.ended) {
        // A thin line over both channels shows where the sound is.
        painter.setPen(QPen(WaveformColour::kPlayed, 1));
        painter.drawLine(bars.split - x0, 0, bars.split - x0, viewport()->height() - 1);
    }
    painter.fillRect(
        QRect(bars.playedFrom - x0, y, bars.split - bars.playedFrom, 2 * kCursorHalfHeight),
        WaveformColour::kPlayed);
    painter.fillRect(QRect(bars.split - x0, y, bars.end - bars.split, 2 * kCursorHalfHeight),
                     WaveformColour::kWave);
}

void CtarnView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    SetScrollSizes();
}

void CtarnView::OnTimer() {
    if (!m_pDoc || !m_pDoc->PlayState().IsShowing()) {
        return;
    }
    const PlayRecord play = m_pDoc->PlayState();
    const qint64 frame =
        PlayCursorFrame(play.start, play.tick, m_pDoc->GetHost().TickCount(), m_pDoc->SampleRate());
    m_cursor = PlayCursorBars(play.start, play.end, frame, m_pDoc->Zoom());
    if (m_cursor->ended) {
        m_pDoc->EndPlayCursor();
    } else {
        horizontalScrollBar()->setValue(
            FollowScrollPos(m_cursor->split, ScrollPos(), viewport()->width()));
    }
    viewport()->update();
}

void CtarnView::OnPlayStateChanged() {
    if (m_pDoc && !m_pDoc->IsPlaying() && m_cursor && !m_cursor->ended) {
        m_cursor.reset();
        viewport()->update();
    }
}
