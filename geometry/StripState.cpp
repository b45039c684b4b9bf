#include "geometry/StripState.h"

#include "document/CtarnDoc.h"
#include "geometry/Zoom.h"
#include "recording/Envelope.h"
#include "recording/Recording.h"

#include <algorithm>

StripState::StripState(const CtarnDoc& doc, QObject* parent)
    : QObject(parent), m_recording(doc.GetRecording()) {
    Reset(!doc.File().SourcePath().isEmpty());
    connect(&doc, &CtarnDoc::documentReplaced, this,
            [this, &doc] { Reset(!doc.File().SourcePath().isEmpty()); });
    connect(&doc, &CtarnDoc::samplesChanged, this, [this](const SampleChange& change) {
        // A cut keeps the ruler's marks as they are; a paste marks whole seconds again.
        if (change.kind == SampleChange::Kind::Replaced && change.inserted > 0) {
            BuildSecondMarks();
        }
    });
}

void StripState::Reset(bool opened) {
    m_nZoom = opened ? kOpenedZoom : 1;
    BuildSecondMarks();
    m_nScrollPos = 0;
}

void StripState::SetZoom(int zoom) {
    m_nZoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (const std::optional<qint64> period = CoarseMarkPeriod(m_nZoom, m_recording.SampleRate())) {
        m_nMarkPeriod = *period;
    }
    emit zoomChanged();
}

void StripState::BuildSecondMarks() {
    m_nMarkPeriod = m_recording.SampleRate();
}

qint64 StripState::StripColumns() const {
    return EnvelopeColumns(m_recording.Frames(), m_nZoom);
}

void StripState::BuildEnvelope(int channel, qint64 firstColumn, int count,
                               std::vector<qint16>& out) const {
    out.resize(size_t(std::max(count, 0)) * 4);
    m_recording.BuildEnvelope(channel, m_nZoom, firstColumn, count, out.data());
}

bool StripState::ColumnHasMark(qint64 column) const {
    return ::ColumnHasMark(column, m_nZoom, m_recording.Frames(), m_nMarkPeriod);
}

void StripState::SetScrollPos(int pos) {
    if (pos == m_nScrollPos) {
        return;
    }
    m_nScrollPos = pos;
    emit scrollPosChanged(pos);
}

void StripState::SetAmplitude(int amplitude) {
    int held = 1;
    while (held * 2 <= std::min(amplitude, kMaxAmplitude)) {
        held *= 2;
    }
    if (held != m_nAmplitude) {
        m_nAmplitude = held;
        emit amplitudeChanged();
    }
}
