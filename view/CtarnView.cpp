#include "view/CtarnView.h"

#include "audio/PlayCursor.h"
#include "audio/Transport.h"
#include "document/CtarnDoc.h"
#include "geometry/LevelMarks.h"
#include "geometry/ScrollRules.h"
#include "geometry/ViewGeometry.h"
#include "spectrum/SpectrogramTiles.h"
#include "view/WaveformPainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

/// The play cursor is a bar this many pixels above and below the left channel's centre.
constexpr int kCursorHalfHeight = 2;
/// Length of a level mark's tick at the window's left edge.
constexpr int kLevelTick = 6;
/// Columns a cue's box and shadow may reach past the cue's last column.
constexpr int kBoxReach = 6;

} // namespace

CtarnView::CtarnView(QWidget* parent) : QAbstractScrollArea(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    // The picture covers the whole window: nothing need be cleared before it is copied.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setBackgroundRole(QPalette::Base);
    m_timer.setInterval(kCursorTimerMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int pos) {
        if (m_strip) {
            m_strip->SetScrollPos(pos);
        }
        // The picture moves with the window and paints only the columns that come into view.
        viewport()->update();
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
    m_tiles = std::make_unique<SpectrogramTiles>(doc.GetRecording());
    connect(m_tiles.get(), &SpectrogramTiles::tileReady, this, [this](const TileKey& key) {
        if (key.zoom == Zoom()) {
            m_picture.InvalidateColumns(key.index * kSpectrogramTileColumns,
                                        (key.index + 1) * kSpectrogramTileColumns);
            viewport()->update();
        }
    });
    // No tile may be computed while the samples change under it.
    connect(m_pDoc, &CtarnDoc::samplesAboutToChange, this, [this] { m_tiles->CancelAll(); });
    m_strip->SetWidth(viewport()->width());
    connect(m_pDoc, &CtarnDoc::documentReplaced, this, [this] { OnDocumentReplaced(); });
    connect(m_pDoc, &CtarnDoc::samplesChanged, this,
            [this](const SampleChange& change) { OnSamplesChanged(change); });
    connect(m_pDoc, &CtarnDoc::cuesChanged, this, [this] { Repaint(); });
    connect(m_pDoc, &CtarnDoc::selectionChanged, this, [this] { OnSelectionChanged(); });
    connect(m_pDoc, &CtarnDoc::currentCueChanged, this, [this] { ShowCurrentCue(); });
    connect(m_pDoc, &CtarnDoc::historyChanged, this, [this](HistoryChange change) {
        if (change == HistoryChange::Undone || change == HistoryChange::Redone) {
            ShowSelection();
        }
    });
    connect(m_pTransport, &Transport::playStateChanged, this, [this] { OnPlayStateChanged(); });
    connect(m_strip.get(), &StripState::zoomChanged, this, [this] { ApplyZoom(); });
    connect(m_strip.get(), &StripState::amplitudeChanged, this, [this] { Repaint(); });
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

void CtarnView::SetLook(const LaneLook& look) {
    m_look = look;
    Repaint();
    emit lookChanged();
}

void CtarnView::Repaint() {
    m_picture.Invalidate();
    viewport()->update();
}

void CtarnView::RepaintFrames(qint64 lo, qint64 hi) {
    const int zoom = Zoom();
    m_picture.InvalidateColumns(lo / zoom - 1, hi / zoom + 2);
    viewport()->update();
}

void CtarnView::OnSamplesChanged(const SampleChange& change) {
    if (change.removed == change.inserted) {
        m_tiles->DropRange({int(change.at), int(change.at + change.inserted)});
    } else {
        m_tiles->DropFrom(change.at);
    }
    SetScrollSizes();
    if (change.kind == SampleChange::Kind::Replaced) {
        ShowSelection();
    }
    if (change.removed == change.inserted && change.kind != SampleChange::Kind::Replaced) {
        // The same length: only the changed columns look different.
        RepaintFrames(change.at, change.at + change.inserted);
    } else {
        Repaint();
    }
}

void CtarnView::OnSelectionChanged() {
    const FrameRange now{m_pDoc->SelStart(), m_pDoc->SelEnd()};
    for (const FrameRange& range : {m_paintedSelection, now}) {
        RepaintFrames(std::min(range.lo, range.hi), std::max(range.lo, range.hi));
    }
    m_paintedSelection = now;
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
    m_tiles->Clear();
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
        PaintStrip(painter, width, height, std::nullopt);
    }
}

void CtarnView::PaintColumns(QPainter& painter, ColumnRange columns) {
    m_paintedSelection = {m_pDoc->SelStart(), m_pDoc->SelEnd()};
    PaintStrip(painter, viewport()->width(), viewport()->height(), columns);
}

void CtarnView::PaintStrip(QPainter& painter, int width, int height,
                           std::optional<ColumnRange> columns) {
    PaintArea area{ScrollPos(), width, height};
    area.dirty = columns;
    area.amplitude = m_strip->Amplitude();
    area.flagged = m_flagged;
    if (m_look.spectrogram) {
        area.spectrogram = m_tiles.get();
        area.logFrequency = !m_look.linearFrequency;
        area.waveOverSpectrogram = m_look.waveOverSpectrogram;
    }
    if (m_cueDrag) {
        area.movedCue = m_cueDrag->cue;
        area.movedStart = m_cueDrag->span.start;
        area.movedEnd = m_cueDrag->span.end;
    }
    PaintWaveform(painter, *m_pDoc, *m_strip, CurrentCue(), area, palette().color(QPalette::Dark),
                  m_buffers);
}

void CtarnView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (!m_pDoc || m_pDoc->GetRecording().Frames() == 0) {
        painter.fillRect(event->rect(), palette().color(QPalette::Base));
        if (m_pDoc) {
            // Nothing to draw yet: say how to get something (on screen only, never printed).
            painter.setPen(palette().color(QPalette::PlaceholderText));
            painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap,
                             tr("Open a recording (Ctrl+O) or drop a file here"));
        }
        return;
    }
    RepaintBoxesAtEdges();
    const QImage& picture =
        m_picture.Update(ScrollPos(), viewport()->size(), palette().color(QPalette::Base),
                         [this](QPainter& p, ColumnRange columns) { PaintColumns(p, columns); });
    for (const QRect& rect : event->region()) {
        painter.drawImage(rect, picture, rect);
    }
    PaintLevelRuler(painter);
    if (!m_cursor) {
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
    const qint64 frame =
        PlayCursorFrame(play, m_pHost->TickCount(), m_pDoc->GetRecording().SampleRate());
    const QRegion before = CursorRegion();
    m_cursor = PlayCursorBars(play.start, play.end, frame, Zoom());
    if (m_cursor->ended) {
        m_pTransport->EndPlayCursor();
    } else {
        horizontalScrollBar()->setValue(
            FollowScrollPos(m_cursor->split, ScrollPos(), viewport()->width()));
    }
    // Only the line and the bar change: the rest is copied from the picture, if at all.
    viewport()->update(before + CursorRegion());
}

void CtarnView::RepaintBoxesAtEdges() {
    const int before = m_picture.X0();
    const int now = ScrollPos();
    if (before == now) {
        return;
    }
    // A box the window's edge cuts is drawn to that edge, its text laid out from it: when the
    // edges move, such boxes are drawn whole again rather than moved.
    const int zoom = Zoom();
    const int last = viewport()->width() - 1;
    const CueList& cues = m_pDoc->Cues();
    for (const int edge : {before, before + last, now, now + last}) {
        const auto [first, end] = cues.CuesNear(qint64(edge) * zoom, (qint64(edge) + 1) * zoom - 1);
        for (int i = first; i < end; ++i) {
            m_picture.InvalidateColumns(cues.Start(i) / zoom - 1, cues.End(i) / zoom + kBoxReach);
        }
    }
}

void CtarnView::PaintLevelRuler(QPainter& painter) {
    const int amplitude = m_strip->Amplitude();
    if (amplitude <= 1) {
        return;
    }
    // Fixed at the window's left edge, over the picture (which scrolls beneath it).
    const int height = viewport()->height();
    const int half = height / 4;
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(WaveformColour::kRulerText);
    for (const LevelMark& mark : LevelMarks(half, amplitude, metrics.height())) {
        const QString label = tr("%1 dB").arg(mark.db);
        for (const int centre : {half, 3 * height / 4}) {
            for (const int y : {centre - mark.offset, centre + mark.offset}) {
                painter.drawLine(0, y, kLevelTick, y);
                painter.drawText(kLevelTick + 2, y + metrics.ascent() / 2, label);
            }
        }
    }
}

QRegion CtarnView::CursorRegion() const {
    if (!m_cursor) {
        return {};
    }
    const int x0 = ScrollPos();
    const int y = viewport()->height() / 4 - kCursorHalfHeight;
    const CursorBars& bars = *m_cursor;
    QRegion region(
        QRect(bars.playedFrom - x0, y, bars.end - bars.playedFrom + 1, 2 * kCursorHalfHeight));
    region += QRect(bars.split - x0, 0, 1, viewport()->height());
    return region & viewport()->rect();
}

void CtarnView::OnPlayStateChanged() {
    if (m_pDoc && !m_pTransport->IsPlaying() && m_cursor && !m_cursor->ended) {
        const QRegion before = CursorRegion();
        m_cursor.reset();
        viewport()->update(before);
    }
}
