#include "view/CtarnView.h"

#include "audio/PlayCursor.h"
#include "audio/Transport.h"
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
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int pos) {
        if (m_strip) {
            m_strip->SetScrollPos(pos);
        }
        Repaint();
    });
}

CtarnView::~CtarnView() = default;

void CtarnView::SetDocument(CtarnDoc& doc, Transport& transport, Host& host) {
    if (m_pDoc) {
        disconnect(m_pDoc, nullptr, this, nullptr);
        disconnect(m_pTransport, nullptr, this, nullptr);
    }
    m_pDoc = &doc;
    m_pTransport = &transport;
    m_pHost = &host;
    // Made before the view listens, so that it has followed each change when the view hears.
    m_strip = std::make_unique<StripState>(doc);
    m_strip->SetWidth(viewport()->width());
    connect(m_pDoc, &CtarnDoc::documentReplaced, this, [this] { OnDocumentReplaced(); });
    connect(m_pDoc, &CtarnDoc::samplesChanged, this, [this](const SampleChange& change) {
        SetScrollSizes();
        if (change.kind == SampleChange::Kind::Replaced) {
            ShowSelection();
        }
        Repaint();
    });
    connect(m_pDoc, &CtarnDoc::cuesChanged, this, [this] { Repaint(); });
    connect(m_pDoc, &CtarnDoc::selectionChanged, this, [this] { Repaint(); });
    connect(m_pDoc, &CtarnDoc::currentCueChanged, this, [this] { ShowCurrentCue(); });
    connect(m_pDoc, &CtarnDoc::historyChanged, this, [this](HistoryChange change) {
        if (change == HistoryChange::Undone || change == HistoryChange::Redone) {
            ShowSelection();
        }
    });
    connect(m_pTransport, &Transport::playStateChanged, this, [this] { OnPlayStateChanged(); });
    connect(m_strip.get(), &StripState::zoomChanged, this, [this] { ApplyZoom(); });
    connect(m_strip.get(), &StripState::scrollPosChanged, this, [this](int pos) {
        // The bar keeps the position within the strip; the state takes what it kept.
        horizontalScrollBar()->setValue(pos);
        m_strip->SetScrollPos(ScrollPos());
    });
    SetScrollSizes();
    Repaint();
}

void CtarnView::SetFlagged(std::function<bool(int)> flagged) {
    m_flagged = std::move(flagged);
    Repaint();
}

int CtarnView::CurrentCue() const {
    return m_pDoc ? m_pDoc->CurrentCue() : -1;
}

void CtarnView::OnInitialUpdate() {
    if (m_pDoc) {
        SetScrollSizes();
        horizontalScrollBar()->setValue(0);
        Repaint();
    }
    m_timer.start();
}

void CtarnView::OnDocumentReplaced() {
    SetScrollSizes();
    horizontalScrollBar()->setValue(0);
    Repaint();
}

void CtarnView::ShowSelection() {
    if (!m_pDoc) {
        return;
    }
    SetScrollSizes();
    horizontalScrollBar()->setValue(
        SelectionScrollPos(m_pDoc->SelStart(), m_pDoc->SelEnd(), Zoom(), viewport()->width()));
    Repaint();
}

void CtarnView::SetScrollSizes() {
    const int width = viewport()->width();
    const ScrollSizes sizes = StripScrollSizes(m_strip ? m_strip->StripColumns() : 0, width);
    m_nScrollTotal = sizes.total;
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, sizes.total - width));
    bar->setPageStep(std::max(sizes.page, 1));
    bar->setSingleStep(std::max(sizes.line, 1));
}

void CtarnView::ApplyZoom() {
    const int width = viewport()->width();
    const int oldPos = ScrollPos();
    const int oldMax = ScrollMax();
    SetScrollSizes();
    horizontalScrollBar()->setValue(CentredScrollPos(width, oldPos, oldMax, m_nScrollTotal));
    Repaint();
}

void CtarnView::OnGoToStart() {
    horizontalScrollBar()->setValue(0);
}

void CtarnView::OnGoToEnd() {
    horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
}

void CtarnView::ShowCurrentCue() {
    Repaint();
    const CueList& cues = m_pDoc->Cues();
    const int cue = CurrentCue();
    if (cues.IsValidIndex(cue)) {
        horizontalScrollBar()->setValue(
            CueScrollPos(cues.Start(cue), cues.End(cue), Zoom(), ScrollPos(), viewport()->width()));
    }
}

void CtarnView::Apply(const CueCommandResult& result) {
    m_pDoc->SetCurrentCue(result.curCue);
    if (result.scrollPos) {
        horizontalScrollBar()->setValue(*result.scrollPos);
    }
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
        area.flagged = m_flagged;
        if (m_cueDrag) {
            area.movedCue = m_cueDrag->cue;
            area.movedStart = m_cueDrag->span.start;
            area.movedEnd = m_cueDrag->span.end;
        }
        PaintWaveform(painter, *m_pDoc, *m_strip, CurrentCue(), area,
                      palette().color(QPalette::Dark), m_buffers);
    }
}

void CtarnView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (m_pDoc && m_pDoc->GetRecording().Frames() == 0) {
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
    if (m_strip) {
        m_strip->SetWidth(viewport()->width());
    }
    SetScrollSizes();
}

void CtarnView::OnTimer() {
    if (!m_pDoc || !m_pTransport->PlayState().IsShowing()) {
        return;
    }
    const PlayRecord play = m_pTransport->PlayState();
    const qint64 frame = PlayCursorFrame(play.start, play.tick, m_pHost->TickCount(),
                                         m_pDoc->GetRecording().SampleRate());
    m_cursor = PlayCursorBars(play.start, play.end, frame, Zoom());
    if (m_cursor->ended) {
        m_pTransport->EndPlayCursor();
    } else {
        horizontalScrollBar()->setValue(
            FollowScrollPos(m_cursor->split, ScrollPos(), viewport()->width()));
    }
    viewport()->update();
}

void CtarnView::OnPlayStateChanged() {
    if (m_pDoc && !m_pTransport->IsPlaying() && m_cursor && !m_cursor->ended) {
        m_cursor.reset();
        viewport()->update();
    }
}
