#include "view/WaveformPainter.h"

#include "document/CtarnDoc.h"
#include "geometry/RulerTicks.h"
#include "geometry/StripState.h"
#include "geometry/ViewGeometry.h"
#include "subtitles/CueText.h"

#include <QPainter>

#include <algorithm>

namespace {

/// Ruler labels sit this far right of their line, and the lower one this far above the
/// bottom edge.
constexpr int kLabelIndent = 3;
constexpr int kLowerLabelRise = 15;
/// Ticks of labelled times off the marks reach this far in from the top and the bottom edge.
constexpr int kTickLength = 8;
/// Room between the end of a label and the next labelled time's line.
constexpr int kLabelGap = 6;
/// Corner radius of the cue boxes.
constexpr int kBoxCorner = 5;
constexpr int kShadowOffset = 3;

void PaintSelection(QPainter& p, const CtarnDoc& doc, const StripState& strip, ColumnRange visible,
                    int height) {
    p.setPen(QPen(WaveformColour::kSelection, 1));
    for (qint64 x = visible.first; x < visible.last; ++x) {
        if (IsColumnSelected(int(x), strip.Zoom(), doc.SelStart(), doc.SelEnd())) {
            p.drawLine(int(x), 0, int(x), height - 1);
        }
    }
}

/// A ruler label beside column x, at the top and at the bottom, in the pen's colour.
void PaintLabelText(QPainter& p, int x, int height, const QString& label) {
    const int labelHeight = p.fontMetrics().height();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    const int left = x + kLabelIndent;
    p.drawText(QRect(left, 0, 0, labelHeight), flags, label);
    p.drawText(QRect(left, height - kLowerLabelRise, 0, labelHeight), flags, label);
}

/// The widest character a ruler label uses, in pixels of the painter's font.
int WidestLabelChar(const QFontMetrics& metrics) {
    int widest = 0;
    for (const QChar c : QStringLiteral("0123456789:.")) {
        widest = std::max(widest, metrics.horizontalAdvance(c));
    }
    return widest;
}

void PaintRulerMarks(QPainter& p, const StripState& strip, ColumnRange visible, int height) {
    p.setPen(WaveformColour::kSelection);
    for (qint64 x = visible.first; x < visible.last; ++x) {
        if (strip.ColumnHasMark(x)) {
            p.drawLine(int(x), 0, int(x), height - 1);
        }
    }
}

/// The labelled times, with a short tick where no mark's line runs.
void PaintRulerLabels(QPainter& p, const CtarnDoc& doc, const StripState& strip,
                      ColumnRange visible, int height) {
    const int zoom = strip.Zoom();
    const LabelRoom room{WidestLabelChar(p.fontMetrics()), kLabelIndent + kLabelGap};
    const RulerLabels labels =
        ChooseRulerLabels(zoom, doc.GetRecording().SampleRate(), doc.GetRecording().Frames(), room);
    const qint64 end = std::min<qint64>(doc.GetRecording().Frames(), visible.last * zoom);
    const TickSpan span = labels.Within(visible.first * zoom, end);
    // From the last label left of the window: the only one that can reach into it.
    for (qint64 i = std::max<qint64>(span.first - 1, 0); i < span.last; ++i) {
        const int x = int(labels.Frame(i) / zoom);
        if (!strip.ColumnHasMark(x)) {
            p.setPen(WaveformColour::kSelection);
            p.drawLine(x, 0, x, kTickLength - 1);
            p.drawLine(x, height - kTickLength, x, height - 1);
        }
        p.setPen(WaveformColour::kRulerText);
        PaintLabelText(p, x, height, labels.Text(i));
    }
}

/// Draws the entries of the visible columns (4 per column, from column visible.first).
void PaintChannel(QPainter& p, const std::vector<qint16>& entries, int channel, ColumnRange visible,
                  int height, std::vector<QPoint>& points) {
    const int centre = (height + 2 * channel * height) / 4;
    const int count = int(entries.size());
    const int capacity = int(points.size());
    int from = 0;
    while (from < count) {
        const int n = std::min(capacity, count - from);
        for (int i = 0; i < n; ++i) {
            const int e = from + i;
            const int x = int(visible.first + e / 4);
            points[size_t(i)] = QPoint(x, centre - entries[size_t(e)] * height / 131072);
        }
        p.drawPolyline(points.data(), n);
        if (from + n >= count) {
            break;
        }
        // The next polyline starts at this one's last point, so the line runs on unbroken.
        from += n - 1;
    }
}

/// Cue i's box with its shadow and its numbered text, at its span or where it is dragged.
void PaintCueBox(QPainter& p, const CueList& cues, int i, int curCue, ColumnRange visible,
                 const PaintArea& area, const QColor& shadow, int zoom) {
    const bool moved = i == area.movedCue;
    const std::optional<CueBoxRect> box =
        CueBox(moved ? area.movedStart : cues.Start(i), moved ? area.movedEnd : cues.End(i),
               cues.Overlap(i), zoom, area.height, visible);
    if (!box) {
        return;
    }
    const QRect rect(box->left, box->top, box->right - box->left, box->bottom - box->top);
    p.setPen(QPen(shadow, 0));
    p.setBrush(shadow);
    p.drawRoundedRect(rect.translated(kShadowOffset, kShadowOffset), kBoxCorner, kBoxCorner);

    const bool current = i == curCue;
    const bool placeholder = IsPlaceholderText(cues.Text(i));
    const QColor fill = current       ? WaveformColour::kCurrentCue
                        : placeholder ? WaveformColour::kPlaceholder
                                      : WaveformColour::kCue;
    p.setPen(QPen(current ? WaveformColour::kCurrentCue : WaveformColour::kCue, 0));
    p.setBrush(fill);
    p.drawRoundedRect(rect, kBoxCorner, kBoxCorner);

    if (area.flagged && area.flagged(i)) {
        // A cue that breaks a timing rule: a red corner the text does not hide.
        p.setPen(Qt::NoPen);
        p.setBrush(WaveformColour::kBrokenRule);
        p.drawRect(rect.right() - 5, rect.top() + 1, 5, 5);
    }
    p.setPen(current ? WaveformColour::kCurrentCueText : WaveformColour::kCueText);
    const QRect textRect(rect.left() + 2, rect.top(), rect.width() - 4, rect.height());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QString::number(i + 1) + QChar('.') + cues.Text(i));
}

/// The boxes of the cues near the window, in list order (a later box over an earlier one),
/// with a dragged cue from elsewhere in its place in that order.
void PaintCues(QPainter& p, const CtarnDoc& doc, const StripState& strip, int curCue,
               ColumnRange visible, const PaintArea& area, const QColor& shadow) {
    const CueList& cues = doc.Cues();
    const int zoom = strip.Zoom();
    // Boxes are at least two columns wide: a cue may show a little past its last column.
    const auto [first, last] =
        cues.CuesNear((visible.first - 3) * zoom, visible.last * qint64(zoom));
    const int moved = cues.IsValidIndex(area.movedCue) ? area.movedCue : -1;
    if (moved >= 0 && moved < first) {
        PaintCueBox(p, cues, moved, curCue, visible, area, shadow, zoom);
    }
    for (int i = first; i < last; ++i) {
        PaintCueBox(p, cues, i, curCue, visible, area, shadow, zoom);
    }
    if (moved >= last) {
        PaintCueBox(p, cues, moved, curCue, visible, area, shadow, zoom);
    }
}

} // namespace

void PaintWaveform(QPainter& painter, const CtarnDoc& doc, const StripState& strip, int curCue,
                   const PaintArea& area, const QColor& shadow, PaintBuffers& buffers) {
    if (strip.StripColumns() == 0 || buffers.points.size() < 2) {
        return;
    }
    const ColumnRange visible = VisibleColumns(area.x0, area.width, strip.StripColumns());
    painter.save();
    painter.translate(-area.x0, 0);
    painter.setBackgroundMode(Qt::TransparentMode);
    PaintSelection(painter, doc, strip, visible, area.height);
    PaintRulerMarks(painter, strip, visible, area.height);
    PaintRulerLabels(painter, doc, strip, visible, area.height);
    painter.setPen(QPen(WaveformColour::kWave, 1));
    for (int channel = 0; channel < 2; ++channel) {
        strip.BuildEnvelope(channel, visible.first, visible.Count(), buffers.entries);
        PaintChannel(painter, buffers.entries, channel, visible, area.height, buffers.points);
    }
    PaintCues(painter, doc, strip, curCue, visible, area, shadow);
    painter.restore();
}
