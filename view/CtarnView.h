#pragma once

#include "actions/CueCommands.h"
#include "base/FrameRange.h"
#include "document/DocumentChanges.h"
#include "geometry/CueGrip.h"
#include "geometry/PointerRules.h"
#include "geometry/StripState.h"
#include "view/StripPicture.h"
#include "view/WaveformPainter.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class CommandTable;
class SpectrogramTiles;
class CtarnDoc;
class Host;
class QPainter;
class Transport;

/// The waveform view: the whole document as one horizontally scrolling strip, one pixel
/// column per Zoom() frames of its strip state. It translates mouse, timer and scroll events
/// into document operations, follows what the document, the transport and the strip state
/// announce, and paints; the rules themselves live in the logic layer.
class CtarnView : public QAbstractScrollArea {
    Q_OBJECT

public:
    /// Timer period of the play cursor, in milliseconds: a frame of a 60 Hz screen, so that
    /// the line following the sound moves smoothly (a frame redraws only the line and bar).
    static constexpr int kCursorTimerMs = 16;

    explicit CtarnView(QWidget* parent = nullptr);
    ~CtarnView() override;

    /// Attaches the document, the transport that plays it and the host that asks for texts
    /// and tells the time; the view follows their announcements from then on.
    void SetDocument(CtarnDoc& doc, Transport& transport, Host& host);
    CtarnDoc* GetDocument() const { return m_pDoc; }
    /// Zoom, ruler marks and scroll position; there once a document is attached.
    StripState& Strip() { return *m_strip; }
    const StripState& Strip() const { return *m_strip; }

    /// Index of the document's current cue, -1 for none (or no document).
    int CurrentCue() const;

    /// After a document was created or opened: the layout and the cursor timer.
    void OnInitialUpdate();
    /// Home and End: the start or the end of the strip into view.
    void OnGoToStart();
    void OnGoToEnd();
    /// Brings the selection into the middle of the window.
    void ShowSelection();

    /// Paints the visible strip; also used for printing.
    void OnDraw(QPainter& painter, int width, int height);
    /// Prints what the window shows, scaled to the page, after the print dialog.
    void OnFilePrint();

    /// Marks the boxes of the cues that `flagged` says break a timing rule.
    void SetFlagged(std::function<bool(int)> flagged);
    /// Paints everything again once the event loop comes round, whatever asked for it in
    /// between (what `flagged` says changed, say).
    void Repaint();

    /// How the lanes show the sound: the waveform, or a spectrogram (log or linear in
    /// frequency, with the waveform drawn thin over it or not).
    struct LaneLook {
        bool spectrogram = false;
        bool linearFrequency = false;
        bool waveOverSpectrogram = false;
    };
    const LaneLook& Look() const { return m_look; }
    void SetLook(const LaneLook& look);

    /// Adds the view's own commands to `table`: printing, Home and End.
    void AddCommands(CommandTable& table);
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
    /// The lanes' look changed (a command switched the spectrogram or one of its settings).
    void lookChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    /// A new recording: the strip starts over at the start.
    void OnDocumentReplaced();
    /// Lays the strip out for the new zoom, keeping the centre in the centre.
    void ApplyZoom();
    void SetScrollSizes();
    /// Repaints for a new current cue and brings it into the window when none of it is in view.
    void ShowCurrentCue();
    /// Paints the columns of the frames lo .. hi again (a margin of a column each side).
    void RepaintFrames(qint64 lo, qint64 hi);
    /// The samples changed: the columns they touched are painted again, everything when the
    /// length or the ruler may have changed.
    void OnSamplesChanged(const SampleChange& change);
    /// The selection changed: the columns of the old and the new one are painted again.
    void OnSelectionChanged();
    /// The boxes that the window's edges cut, before and after a scroll, are painted whole.
    void RepaintBoxesAtEdges();
    /// The levels of the magnified waveform, at the window's left edge, above x1.
    void PaintLevelRuler(QPainter& painter);
    /// The play line and bar, in window coordinates, for a repaint of just them.
    QRegion CursorRegion() const;
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
    int Zoom() const { return m_strip->Zoom(); }

    /// Paints `columns` of the window (all when nothing) onto `painter`, as large as given.
    void PaintStrip(QPainter& painter, int width, int height, std::optional<ColumnRange> columns);
    /// What the picture asks for: the columns it lacks.
    void PaintColumns(QPainter& painter, ColumnRange columns);

    /// Paints the window's part of the strip onto a printer's page.
    void PrintOn(class QPrinter& printer);

    CtarnDoc* m_pDoc = nullptr;
    Transport* m_pTransport = nullptr;
    Host* m_pHost = nullptr;
    std::unique_ptr<StripState> m_strip;
    int m_nScrollTotal = 0;
    PaintBuffers m_buffers;
    StripPicture m_picture;
    LaneLook m_look;
    std::unique_ptr<SpectrogramTiles> m_tiles;
    /// The selection as the picture shows it.
    FrameRange m_paintedSelection;
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
    std::function<bool(int)> m_flagged;
};
