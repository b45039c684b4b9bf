#include "view/COverview.h"

#include "document/CtarnDoc.h"
#include "geometry/OverviewGeometry.h"
#include "geometry/StripState.h"
#include "view/WaveformPainter.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <limits>

COverview::COverview(const CtarnDoc& doc, StripState& strip, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_strip(strip) {
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::PointingHandCursor);
    const auto repaint = [this] { update(); };
    connect(&doc, &CtarnDoc::documentReplaced, this, repaint);
    connect(&doc, &CtarnDoc::samplesChanged, this, repaint);
    connect(&doc, &CtarnDoc::cuesChanged, this, repaint);
    connect(&strip, &StripState::zoomChanged, this, repaint);
    connect(&strip, &StripState::scrollPosChanged, this, repaint);
}

QSize COverview::sizeHint() const {
    return {400, kHeight};
}

qint64 COverview::FramesPerColumn() const {
    return OverviewFramesPerColumn(m_doc.GetRecording().Frames(), width());
}

void COverview::paintEvent(QPaintEvent*) {
    const Recording& recording = m_doc.GetRecording();
    const int frames = recording.Frames();
    if (frames == 0 || width() <= 0) {
        return;
    }
    QPainter painter(this);
    const qint64 perColumn = FramesPerColumn();
    const int zoom = int(std::min<qint64>(perColumn, std::numeric_limits<int>::max()));
    const int columns = int(std::min<qint64>(width(), frames / zoom + 1));
    const int mid = height() / 2;
    // Both channels' extremes, drawn as one band around the middle.
    m_entries.resize(size_t(columns) * 4);
    m_reach.assign(size_t(columns), 0);
    for (int channel = 0; channel < 2; ++channel) {
        recording.BuildEnvelope(channel, zoom, 0, columns, m_entries.data());
        for (size_t e = 0; e < m_entries.size(); ++e) {
            m_reach[e / 4] = std::max(m_reach[e / 4], std::abs(int(m_entries[e])));
        }
    }
    painter.setPen(WaveformColour::kWave);
    for (int x = 0; x < columns; ++x) {
        const int h = m_reach[size_t(x)] * (mid - 1) / 32768;
        painter.drawLine(x, mid - h, x, mid + h);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(WaveformColour::kCue);
    for (const ColumnRange& run : OverviewCueRuns(m_doc.Cues(), perColumn, columns)) {
        painter.drawRect(int(run.first), height() - 5, run.Count(), 4);
    }
    const ColumnRange window =
        OverviewWindow(m_strip.ScrollPos(), m_strip.Width(), m_strip.Zoom(), frames, perColumn);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(WaveformColour::kCurrentCue, 1));
    painter.drawRect(int(window.first), 0, window.Count(), height() - 1);
}

void COverview::CentreOn(int x) {
    m_strip.SetScrollPos(OverviewScrollPos(std::clamp(x, 0, width()), FramesPerColumn(),
                                           m_strip.Zoom(), m_strip.Width()));
}

void COverview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        CentreOn(int(event->position().x()));
    }
}

void COverview::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons().testFlag(Qt::LeftButton)) {
        CentreOn(int(event->position().x()));
    }
}
