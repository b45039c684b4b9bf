#include "view/CtarnView.h"

#include "audio/PlayCursor.h"
#include "document/CtarnDoc.h"
#include "view/ViewGeometry.h"
#include "view/WaveformPainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

/// The play cursor is a bar this many pixels above and below the left channel's centre.
constexpr int kCursorHalfHeight = 2;

} // namespace

CtarnView::CtarnView(QWidget* parent)
    : QAbstractScrollArea(parent), m_points(size_t(kPolylinePoints)) {
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
    }
    m_pDoc = doc;
    if (m_pDoc) {
        connect(m_pDoc, &CtarnDoc::viewsUpdateRequested, this,
                [this](int hint) { OnUpdate(hint); });
    }
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
        m_nCurCue = -1;
        horizontalScrollBar()->setValue(0);
    } else {
        // A cut may have removed the current cue.
        if (!m_pDoc->m_cues.IsValidIndex(m_nCurCue)) {
            m_nCurCue = -1;
        }
        horizontalScrollBar()->setValue(SelectionScrollPos(m_pDoc->m_nSelStart, m_pDoc->m_nSelEnd,
                                                           m_pDoc->m_nZoom, viewport()->width()));
    }
    Redraw();
}

void CtarnView::SetScrollSizes() {
    const int width = viewport()->width();
    const ScrollSizes sizes = StripScrollSizes(m_pDoc ? m_pDoc->m_nEnvelopeLen : 0, width);
    m_nScrollTotal = sizes.total;
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, sizes.total - width));
    bar->setPageStep(std::max(sizes.page, 1));
    bar->setSingleStep(std::max(sizes.line, 1));
}

void CtarnView::OnZoomIn() {
    if (m_pDoc) {
        m_pDoc->m_nZoom = ZoomIn(m_pDoc->m_nZoom);
        ApplyZoom();
    }
}

void CtarnView::OnZoomOut() {
    if (m_pDoc) {
        m_pDoc->m_nZoom = ZoomOut(m_pDoc->m_nZoom);
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
    m_pDoc->BuildAllEnvelopes();
    SetScrollSizes();
    horizontalScrollBar()->setValue(
        CentredScrollPos(width, oldPos, oldMax, m_pDoc->m_nEnvelopeLen / 4));
    if (const std::optional<qint64> period =
            CoarseMarkPeriod(m_pDoc->m_nZoom, m_pDoc->m_header.SampleRate)) {
        m_pDoc->m_secondMarks = SecondMarkTrack(m_pDoc->m_nSamples, *period);
        m_pDoc->BuildMarkEnvelope();
    }
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
        Apply(AddSubtitle(*m_pDoc, m_nCurCue));
    }
}

void CtarnView::OnDeleteSubtitle() {
    if (m_pDoc) {
        Apply(DeleteSubtitle(*m_pDoc, m_nCurCue));
    }
}

void CtarnView::OnAtach() {
    if (m_pDoc) {
        Apply(Atach(*m_pDoc, m_nCurCue));
    }
}

void CtarnView::OnCheckConflict() {
    if (m_pDoc) {
        Apply(CheckConflict(*m_pDoc, m_nCurCue, viewport()->width()));
    }
}

void CtarnView::Apply(const CueCommandResult& result) {
    m_nCurCue = result.curCue;
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
        PaintWaveform(painter, *m_pDoc, m_nCurCue, {ScrollPos(), width, height},
                      palette().color(QPalette::Dark), m_points);
    }
}

void CtarnView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    OnDraw(painter, viewport()->width(), viewport()->height());
    if (!m_cursor || !m_pDoc) {
        return;
    }
    const int y = viewport()->height() / 4 - kCursorHalfHeight;
    const int x0 = ScrollPos();
    const CursorBars& bars = *m_cursor;
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
    if (!m_pDoc || m_pDoc->m_nPlayStart == m_pDoc->m_nPlayEnd) {
        return;
    }
    const qint64 frame =
        PlayCursorFrame(m_pDoc->m_nPlayStart, m_pDoc->m_dwPlayTick, m_pDoc->GetHost().TickCount(),
                        m_pDoc->m_header.SampleRate);
    m_cursor = PlayCursorBars(m_pDoc->m_nPlayStart, m_pDoc->m_nPlayEnd, frame, m_pDoc->m_nZoom);
    if (m_cursor->ended) {
        m_pDoc->m_nPlayStart = 0;
        m_pDoc->m_nPlayEnd = 0;
    }
    viewport()->update();
}

void CtarnView::SelectCue(int index) {
    m_nCurCue = index;
    m_pDoc->m_nSelStart = m_pDoc->m_cues.Start(index);
    m_pDoc->m_nSelEnd = m_pDoc->m_cues.End(index);
    Redraw();
    m_pDoc->PlayRange(m_pDoc->m_nSelStart, m_pDoc->m_nSelEnd);
}

void CtarnView::ApplyClick(const std::optional<SelectionClick>& click) {
    if (!click) {
        return;
    }
    m_pDoc->m_nSelStart = click->selStart;
    m_pDoc->m_nSelEnd = click->selEnd;
    Redraw();
    m_pDoc->PlayRange(click->playFrom, click->playTo);
}

void CtarnView::mousePressEvent(QMouseEvent* event) {
    const bool left = event->button() == Qt::LeftButton;
    if (!m_pDoc || (!left && event->button() != Qt::RightButton)) {
        return;
    }
    const QPoint p = Logical(event->position().toPoint());
    const int cue = CueAtPoint(m_pDoc->m_cues, p.x(), p.y(), m_pDoc->m_nZoom, viewport()->height());
    if (cue >= 0) {
        SelectCue(cue);
        return;
    }
    const qint64 frame = FrameOfColumn(p.x(), m_pDoc->m_nZoom);
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    const qint32 rate = m_pDoc->m_header.SampleRate;
    ApplyClick(left ? LeftClick(frame, ctrl, m_pDoc->m_nSelEnd, m_pDoc->m_nSamples, rate)
                    : RightClick(frame, ctrl, m_pDoc->m_nSelStart, m_pDoc->m_nSamples, rate));
}

void CtarnView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_pDoc || event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = Logical(event->position().toPoint());
    const int height = viewport()->height();
    if (CueRowAt(p.y(), height) == CueRow::None) {
        return;
    }
    m_nCurCue = CueAtPoint(m_pDoc->m_cues, p.x(), p.y(), m_pDoc->m_nZoom, height);
    if (m_nCurCue >= 0) {
        Apply(EditCueText(*m_pDoc, m_nCurCue));
    }
}

void CtarnView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pDoc) {
        return;
    }
    const int deviceX = event->position().toPoint().x();
    StatusLine line;
    line.deviceX = deviceX;
    line.logicalX = deviceX + ScrollPos();
    line.stripWidth = m_pDoc->m_nEnvelopeLen / 4;
    line.zoom = m_pDoc->m_nZoom;
    line.frames = m_pDoc->m_nSamples;
    line.selStart = m_pDoc->m_nSelStart;
    line.selEnd = m_pDoc->m_nSelEnd;
    line.scrollPos = ScrollPos();
    line.scrollMax = ScrollMax();
    line.clipLength = m_pDoc->m_nClipLen;
    emit statusTextChanged(StatusLineText(line));
}
