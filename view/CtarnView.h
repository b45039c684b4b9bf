#pragma once

#include "actions/CueCommands.h"
#include "commands/CommandRouter.h"
#include "geometry/CueGrip.h"
#include "geometry/PointerRules.h"
#include "view/WaveformPainter.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <optional>

class CtarnDoc;
class QPainter;

/// The waveform view: the whole document as one horizontally scrolling strip, one pixel
/// column per Zoom() frames. It translates mouse, timer and scroll events into document
/// operations and paints; the rules themselves live in the logic layer.
class CtarnView : public QAbstractScrollArea {
    Q_OBJECT

public:
    /// Timer period of the play cursor, in milliseconds: often enough that the line
    /// following it moves smoothly.
    static constexpr int kCursorTimerMs = 40;

    explicit CtarnView(QWidget* parent = nullptr);

    /// Attaches the document; its update requests reach OnUpdate from then on.
    void SetDocument(CtarnDoc* doc);
    CtarnDoc* GetDocument() const { return m_pDoc; }

    /// Index of the document's current cue, -1 for none (or no document).
    int CurrentCue() const;

    /// After a document was created or opened: the layout of hint 0 and the cursor timer.
    void OnInitialUpdate();
    /// Hint 0: the document was replaced (scroll to the start, no current cue);
    /// hint 1: its length changed (centre the selection); other hints are ignored.
    void OnUpdate(int hint);

    void OnZoomIn();
    void OnZoomOut();
    void OnVolumeDown();
    void OnVolumeUp();
    void OnAddSubtitle();
    void OnDeleteSubtitle();
    void OnAtach();
    void OnCheckConflict();
    /// Moves the current cue's start or end by `ms` milliseconds (one undo step).
    void OnNudge(CuePart edge, int ms);
    /// Home and End: the start or the end of the strip into view.
    void OnGoToStart();
    void OnGoToEnd();

    /// Paints the visible strip; also used for printing.
    void OnDraw(QPainter& painter, int width, int height);
    /// Prints what the window shows, scaled to the page, after the print dialog.
    void OnFilePrint();

    /// The view's commands: zoom, volume, the cue commands and printing.
    CommandTable& Commands() { return m_commands; }
    /// Advances the play cursor (the timer calls this every kCursorTimerMs).
    void OnTimer();

    /// The cue being dragged and where it would go, while a drag is under way.
    struct CueDragPreview {
        int cue = -1;
        CueSpan span;
    };
    const std::optional<CueDragPreview>& CueDragState() const { return m_cueDrag; }

signals:
    /// The status line text for the pointer's position.
    void statusTextChanged(const QString& text);
    /// The frame under the pointer.
    void pointerFrameChanged(qint64 frame);
    /// The selection, the current cue or what is drawn changed.
    void stateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    /// Lays the strip out for the new zoom, keeping the centre in the centre.
    void ApplyZoom();
    void SetScrollSizes();
    /// Repaints for a new current cue and brings it into the window when none of it is in view.
    void ShowCurrentCue();
    /// Repaints everything now, without the play cursor until the timer draws it again.
    void Redraw();
    void Apply(const CueCommandResult& result);
    /// Selects a cue's frames and plays them.
    void SelectCue(int index);
    void ApplyClick(const std::optional<SelectionClick>& click);
    /// What a click does: a cue click or a selection click, with its play.
    void ClickAt(Qt::MouseButton button, const QPoint& logical, bool ctrl);
    /// Follows a drag to logical x (Alt held: no snapping).
    void DragTo(int x, bool noSnap);
    /// The resize pointer over cue edges, the ordinary one elsewhere.
    void ShowGripCursor(const QPoint& logical);
    void EmitStatus(int deviceX);
    /// Zooms one step in or out keeping frame `frame` under window x `pointerX`.
    void ZoomAround(bool in, qint64 frame, int pointerX);
    /// Drops the play cursor from the picture once the play stopped.
    void OnPlayStateChanged();
    QPoint Logical(const QPoint& devicePoint) const;
    int ScrollPos() const;
    /// The last scroll position of the strip (its width less one column).
    int ScrollMax() const { return m_nScrollTotal - 1; }

    void AddCommands();
    /// Paints the window's part of the strip onto a printer's page.
    void PrintOn(class QPrinter& printer);

    CtarnDoc* m_pDoc = nullptr;
    CommandTable m_commands;
    int m_nScrollTotal = 0;
    PaintBuffers m_buffers;
    QTimer m_timer;
    std::optional<CursorBars> m_cursor;

    /// A left press that may become a drag.
    struct Press {
        QPoint device;
        QPoint logical;
        CueGrip grip;           ///< the cue part held, None for the waveform
        int selStartBefore = 0; ///< the selection before the press's click
        int selEndBefore = 0;
        bool dragging = false;
    };
    std::optional<Press> m_press;
    std::optional<CueDragPreview> m_cueDrag;
};
