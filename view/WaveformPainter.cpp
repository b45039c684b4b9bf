#include "view/WaveformPainter.h"

#include "document/CtarnDoc.h"
#include "view/ViewGeometry.h"

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

void PaintSelection(QPainter& p, const CtarnDoc& doc, EntryRange visible, int height) {
    p.setPen(QPen(WaveformColour::kSelection, 1));
    for (int e = visible.first; e < visible.last; e += 4) {
        const int x = e / 4;
        if (IsColumnSelected(x, doc.m_nZoom, doc.m_nSelStart, doc.m_nSelEnd)) {
            p.drawLine(x, 0, x, height - 1);
        }
    }
}

bool HasMark(const std::vector<qint16>& marks, int t) {
    return marks[size_t(t)] || marks[size_t(t + 1)] || marks[size_t(t + 2)] || marks[size_t(t + 3)];
}

void PaintRuler(QPainter& p, const CtarnDoc& doc, EntryRange visible, int height) {
    const int labelHeight = p.fontMetrics().height();
    for (int t = RulerStartEntry(visible.first, doc.m_nZoom); t < visible.last; t += 4) {
        if (!HasMark(doc.m_pMarkEnvelope, t)) {
            continue;
        }
        const QString label = RulerLabel(RulerSeconds(t, doc.m_nZoom, doc.m_header.SampleRate));
        const int x = t / 4;
        p.setPen(WaveformColour::kSelection);
        p.drawLine(x, 0, x, height - 1);
        p.setPen(WaveformColour::kRulerText);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
        p.drawText(QRect(x + kLabelIndent, 0, 0, labelHeight), flags, label);
        p.drawText(QRect(x + kLabelIndent, height - kLowerLabelRise, 0, labelHeight), flags, label);
    }
}

void PaintChannel(QPainter& p, const std::vector<qint16>& envelope, int channel, EntryRange visible,
                  int height, std::vector<QPoint>& points) {
    const int centre = (height + 2 * channel * height) / 4;
    const int count = visible.last - visible.first;
    const int capacity = int(points.size());
    int from = 0;
    while (from < count) {
        const int n = std::min(capacity, count - from);
        for (int i = 0; i < n; ++i) {
            const int e = visible.first + from + i;
            points[size_t(i)] = QPoint(e / 4, centre - envelope[size_t(e)] * height / 131072);
        }
        p.drawPolyline(points.data(), n);
        if (from + n >= count) {
            break;
        }
        // The next polyline starts at this one's last point, so the line runs on unbroken.
        from += n - 1;
    }
}

void PaintCues(QPainter& p, const CtarnDoc& doc, int curCue, EntryRange visible, int height,
               const QColor& shadow) {
    const CueList& cues = doc.m_cues;
    for (int i = 0; i < cues.Count(); ++i) {
        const std::optional<CueBoxRect> box =
            CueBox(cues.Start(i), cues.End(i), cues.Overlap(i), doc.m_nZoom, height, visible);
        if (!box) {
            continue;
        }
        const QRect rect(box->left, box->top, box->right - box->left, box->bottom - box->top);
        p.setPen(QPen(shadow, 0));
        p.setBrush(shadow);
        p.drawRoundedRect(rect.translated(kShadowOffset, kShadowOffset), kBoxCorner, kBoxCorner);

        const bool current = i == curCue;
        const bool placeholder = cues.Text(i).startsWith(QChar('#'));
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
                   const QColor& shadow, std::vector<QPoint>& points) {
    if (doc.m_nEnvelopeLen == 0 || points.size() < 2) {
        return;
    }
    const EntryRange visible = VisibleEntries(area.x0, area.width, doc.m_nEnvelopeLen);
    painter.save();
    painter.translate(-area.x0, 0);
    painter.setBackgroundMode(Qt::TransparentMode);
    PaintSelection(painter, doc, visible, area.height);
    PaintRuler(painter, doc, visible, area.height);
    painter.setPen(QPen(WaveformColour::kWave, 1));
    for (int channel = 0; channel < 2; ++channel) {
        PaintChannel(painter, doc.m_pEnvelope[channel], channel, visible, area.height, points);
    }
    PaintCues(painter, doc, curCue, visible, area.height, shadow);
    painter.restore();
}
