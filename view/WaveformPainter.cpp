#include "view/WaveformPainter.h"

#include "document/CtarnDoc.h"
#include "geometry/ViewGeometry.h"
#include "subtitles/CueText.h"

#include <QPainter>

#include <algorithm>

namespace {

/// Ruler labels sit this far right of their line, and the lower one this far above the
/// bottom edge.
constexpr int kLabelIndent = 3;
constexpr int kLowerLabelRise = 15;
/// Corner radius of the cue boxes.
constexpr int kBoxCorner = 5;
constexpr int kShadowOffset = 3;

void PaintSelection(QPainter& p, const CtarnDoc& doc, ColumnRange visible, int height) {
    p.setPen(QPen(WaveformColour::kSelection, 1));
    for (qint64 x = visible.first; x < visible.last; ++x) {
        if (IsColumnSelected(int(x), doc.Zoom(), doc.SelStart(), doc.SelEnd())) {
            p.drawLine(int(x), 0, int(x), height - 1);
        }
    }
}

void PaintRuler(QPainter& p, const CtarnDoc& doc, ColumnRange visible, int height) {
    const int labelHeight = p.fontMetrics().height();
    for (qint64 x = RulerStartColumn(visible.first, doc.Zoom()); x < visible.last; ++x) {
        if (!doc.ColumnHasMark(x)) {
            continue;
        }
        const QString label = RulerLabel(RulerSeconds(x, doc.Zoom(), doc.SampleRate()));
        p.setPen(WaveformColour::kSelection);
        p.drawLine(int(x), 0, int(x), height - 1);
        p.setPen(WaveformColour::kRulerText);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
        const int left = int(x) + kLabelIndent;
        p.drawText(QRect(left, 0, 0, labelHeight), flags, label);
        p.drawText(QRect(left, height - kLowerLabelRise, 0, labelHeight), flags, label);
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

void PaintCues(QPainter& p, const CtarnDoc& doc, int curCue, ColumnRange visible, int height,
               const QColor& shadow) {
    const CueList& cues = doc.Cues();
    for (int i = 0; i < cues.Count(); ++i) {
        const std::optional<CueBoxRect> box =
            CueBox(cues.Start(i), cues.End(i), cues.Overlap(i), doc.Zoom(), height, visible);
        if (!box) {
            continue;
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

        p.setPen(current ? WaveformColour::kCurrentCueText : WaveformColour::kCueText);
        const QRect textRect(rect.left() + 2, rect.top(), rect.width() - 4, rect.height());
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QString::number(i + 1) + QChar('.') + cues.Text(i));
    }
}

} // namespace

void PaintWaveform(QPainter& painter, const CtarnDoc& doc, int curCue, const PaintArea& area,
                   const QColor& shadow, PaintBuffers& buffers) {
    if (doc.StripColumns() == 0 || buffers.points.size() < 2) {
        return;
    }
    const ColumnRange visible = VisibleColumns(area.x0, area.width, doc.StripColumns());
    painter.save();
    painter.translate(-area.x0, 0);
    painter.setBackgroundMode(Qt::TransparentMode);
    PaintSelection(painter, doc, visible, area.height);
    PaintRuler(painter, doc, visible, area.height);
    painter.setPen(QPen(WaveformColour::kWave, 1));
    for (int channel = 0; channel < 2; ++channel) {
        doc.BuildEnvelope(channel, visible.first, visible.Count(), buffers.entries);
        PaintChannel(painter, buffers.entries, channel, visible, area.height, buffers.points);
    }
    PaintCues(painter, doc, curCue, visible, area.height, shadow);
    painter.restore();
}
