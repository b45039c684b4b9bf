// The view's pointer: clicks, drags of the selection and of cues, the wheel.
#include "view/CtarnView.h"

#include "actions/CueMoves.h"
#include "audio/Transport.h"
#include "document/CtarnDoc.h"
#include "geometry/ScrollRules.h"
#include "geometry/ViewGeometry.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

/// Pixels a pressed pointer moves before the press becomes a drag.
constexpr int kDragThreshold = 3;

} // namespace

void CtarnView::SelectCue(int index) {
    m_pDoc->SetCurrentCue(index);
    m_pDoc->SetSelection(m_pDoc->Cues().Start(index), m_pDoc->Cues().End(index));
    m_pTransport->PlayRange(m_pDoc->SelStart(), m_pDoc->SelEnd());
}

void CtarnView::ApplyClick(const std::optional<SelectionClick>& click) {
    if (!click) {
        return;
    }
    m_pDoc->SetSelection(click->selStart, click->selEnd);
    m_pTransport->PlayRange(click->playFrom, click->playTo);
}

void CtarnView::ClickAt(Qt::MouseButton button, const QPoint& p, bool ctrl) {
    const int cue = CueAtPoint(m_pDoc->Cues(), p.x(), p.y(), Zoom(), viewport()->height());
    if (cue >= 0) {
        SelectCue(cue);
        return;
    }
    const qint64 frame = FrameOfColumn(p.x(), Zoom());
    const qint32 rate = m_pDoc->GetRecording().SampleRate();
    const int frames = m_pDoc->GetRecording().Frames();
    ApplyClick(button == Qt::LeftButton
                   ? LeftClick(frame, ctrl, m_pDoc->SelEnd(), frames, rate)
                   : RightClick(frame, ctrl, m_pDoc->SelStart(), frames, rate));
}

void CtarnView::mousePressEvent(QMouseEvent* event) {
    const bool left = event->button() == Qt::LeftButton;
    if (!m_pDoc || (!left && event->button() != Qt::RightButton)) {
        return;
    }
    m_press.reset();
    if (m_cueDrag) {
        m_cueDrag.reset();
        Repaint();
    }
    const QPoint p = Logical(event->position().toPoint());
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    if (!left) {
        ClickAt(Qt::RightButton, p, ctrl);
        return;
    }
    const CueGrip grip = CueGripAt(m_pDoc->Cues(), p.x(), p.y(), Zoom(), viewport()->height());
    if (mods.testFlag(Qt::ShiftModifier) && !ctrl && grip.part == CuePart::None) {
        const auto span = ShiftClick(FrameOfColumn(p.x(), Zoom()), m_pDoc->SelStart(),
                                     m_pDoc->SelEnd(), m_pDoc->GetRecording().Frames());
        if (span) {
            m_pDoc->SetSelection(span->start, span->end);
        }
        return;
    }
    m_press = Press{event->position().toPoint(), p, grip, m_pDoc->SelStart(), m_pDoc->SelEnd()};
    ClickAt(Qt::LeftButton, p, ctrl);
}

void CtarnView::DragTo(int x, bool noSnap) {
    const Press& press = *m_press;
    const int zoom = Zoom();
    if (press.grip.part == CuePart::None) {
        const SelectionSpan span =
            DragSelection(FrameOfColumn(press.logical.x(), zoom), FrameOfColumn(x, zoom),
                          m_pDoc->GetRecording().Frames());
        m_pDoc->SetSelection(span.start, span.end);
        return;
    }
    const CueList& cues = m_pDoc->Cues();
    const int cue = press.grip.cue;
    if (!cues.IsValidIndex(cue)) {
        return;
    }
    const SnapTargets targets{&cues, cue, m_pDoc->SelStart(), m_pDoc->SelEnd()};
    const qint64 delta = qint64(x - press.logical.x()) * zoom;
    const qint64 tolerance = noSnap ? 0 : qint64(kSnapPixels) * zoom;
    m_cueDrag =
        CueDragPreview{cue, DragCue({cues.Start(cue), cues.End(cue)}, press.grip.part, delta,
                                    targets, tolerance, m_pDoc->GetRecording().Frames())};
    Repaint();
}

void CtarnView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pDoc) {
        return;
    }
    const QPoint device = event->position().toPoint();
    const QPoint p = Logical(device);
    if (m_press && !event->buttons().testFlag(Qt::LeftButton)) {
        // The release went elsewhere (a message box took the pointer): the drag is over.
        m_press.reset();
        m_cueDrag.reset();
        Repaint();
    }
    if (m_press) {
        if (!m_press->dragging && (device - m_press->device).manhattanLength() >= kDragThreshold) {
            m_press->dragging = true;
            // A drag is no click: its sound stops, and a cue drag gets back the selection the
            // click replaced, which is what the cue's edges snap to.
            m_pTransport->OnStop();
            if (m_press->grip.part != CuePart::None) {
                m_pDoc->SetSelection(m_press->selStartBefore, m_press->selEndBefore);
            }
        }
        if (m_press->dragging) {
            DragTo(p.x(), event->modifiers().testFlag(Qt::AltModifier));
        }
    } else {
        ShowGripCursor(p);
    }
    EmitStatus(device.x());
}

void CtarnView::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pDoc || event->button() != Qt::LeftButton || !m_press) {
        return;
    }
    m_press.reset();
    if (m_cueDrag) {
        const CueDragPreview drag = *m_cueDrag;
        m_cueDrag.reset();
        // The box goes back to the cue's span even when the move changes nothing.
        Repaint();
        Apply(MoveCue(*m_pDoc, drag.cue, drag.span.start, drag.span.end));
    }
}

void CtarnView::ShowGripCursor(const QPoint& p) {
    const CueGrip grip = CueGripAt(m_pDoc->Cues(), p.x(), p.y(), Zoom(), viewport()->height());
    const bool edge = grip.part == CuePart::Start || grip.part == CuePart::End;
    if (edge) {
        viewport()->setCursor(Qt::SizeHorCursor);
    } else {
        viewport()->unsetCursor();
    }
}

void CtarnView::EmitStatus(int deviceX) {
    StatusLine line;
    line.deviceX = deviceX;
    line.logicalX = deviceX + ScrollPos();
    line.stripWidth = m_nScrollTotal;
    line.zoom = Zoom();
    line.frames = m_pDoc->GetRecording().Frames();
    line.selStart = m_pDoc->SelStart();
    line.selEnd = m_pDoc->SelEnd();
    line.scrollPos = ScrollPos();
    line.scrollMax = ScrollMax();
    line.clipLength = m_pDoc->GetRecording().ClipLength();
    emit statusTextChanged(StatusLineText(line));
    emit pointerFrameChanged(FrameOfColumn(line.logicalX, line.zoom));
}

void CtarnView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_pDoc || event->button() != Qt::LeftButton) {
        return;
    }
    m_press.reset();
    if (m_cueDrag) {
        m_cueDrag.reset();
        Repaint();
    }
    const QPoint p = Logical(event->position().toPoint());
    const int height = viewport()->height();
    if (CueRowAt(p.y(), height) == CueRow::None) {
        return;
    }
    const int cue = CueAtPoint(m_pDoc->Cues(), p.x(), p.y(), Zoom(), height);
    m_pDoc->SetCurrentCue(cue);
    if (cue >= 0) {
        Apply(EditCueText(*m_pDoc, *m_pHost, cue));
    }
}

void CtarnView::ZoomAround(bool in, qint64 frame, int pointerX) {
    m_strip->SetZoom(in ? ZoomIn(Zoom()) : ZoomOut(Zoom()));
    horizontalScrollBar()->setValue(AnchoredScrollPos(frame, pointerX, Zoom()));
}

void CtarnView::wheelEvent(QWheelEvent* event) {
    if (!m_pDoc) {
        return;
    }
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0) {
        return;
    }
    event->accept();
    if (event->modifiers().testFlag(Qt::ControlModifier) &&
        event->modifiers().testFlag(Qt::ShiftModifier)) {
        m_strip->SetAmplitude(delta > 0 ? m_strip->Amplitude() * 2 : m_strip->Amplitude() / 2);
        return;
    }
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        const int x = int(event->position().x());
        ZoomAround(delta > 0, FrameOfColumn(x + ScrollPos(), Zoom()), x);
        return;
    }
    horizontalScrollBar()->setValue(WheelScrollPos(ScrollPos(), delta, viewport()->width()));
}
