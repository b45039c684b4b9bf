// The document's playback: one 16-bit stereo buffer per play on a device kept open.
#include "document/CtarnDoc.h"

#include <QtEndian>

#include <new>

void CtarnDoc::OnPlay() {
    PlayRange(m_nSelStart, m_nSelEnd);
}

void CtarnDoc::CloseDevice() {
    if (!m_hWaveOut) {
        return;
    }
    m_hWaveOut->Reset();
    if (m_bHdrPrepared) {
        m_hWaveOut->Unprepare(m_waveHdr);
        m_bHdrPrepared = false;
    }
    m_hWaveOut->Close();
    m_hWaveOut = nullptr;
}

void CtarnDoc::PlayRange(int a, int b) {
    if (m_nSamples <= 0) {
        return;
    }
    FrameRange range = OrderedRange(a, b, m_nSamples);
    if (range.IsEmpty()) {
        range = {0, m_nSamples};
    }

    m_wfx = WaveOutFormat{};
    m_wfx.nSamplesPerSec = m_header.SampleRate;
    m_wfx.nAvgBytesPerSec = quint32(m_header.SampleRate) * 4;
    // A device opened for another rate would play this file too fast or too slow.
    if (m_hWaveOut && !(m_openFormat == m_wfx)) {
        CloseDevice();
    }
    if (!m_hWaveOut) {
        if (!m_output.Open(m_wfx)) {
            m_host.ShowMessage(QStringLiteral("falkfdfjsew"));
            return;
        }
        m_hWaveOut = &m_output;
        m_openFormat = m_wfx;
    }
    if (m_bHdrPrepared) {
        m_hWaveOut->Reset();
        m_hWaveOut->Unprepare(m_waveHdr);
    }

    m_pPlayBuffer.clear();
    m_waveHdr = WaveOutBuffer{};
    try {
        m_pPlayBuffer.resize(qsizetype(range.Length()) * 4);
    } catch (const std::bad_alloc&) {
        m_pPlayBuffer.clear();
        m_host.ShowMessage(QStringLiteral("memory alloc failure!"));
        return;
    }
    char* out = m_pPlayBuffer.data();
    for (int i = range.lo; i < range.hi; ++i, out += 4) {
        qToLittleEndian<qint16>(m_pSamples[0][size_t(i)], out);
        qToLittleEndian<qint16>(m_pSamples[1][size_t(i)], out + 2);
    }
    m_waveHdr.lpData = m_pPlayBuffer.constData();
    m_waveHdr.dwBufferLength = quint32(m_pPlayBuffer.size());

    if (!m_hWaveOut->Prepare(m_waveHdr)) {
        m_host.ShowMessage(QStringLiteral("Jkldjsklfeew"));
        return;
    }
    m_bHdrPrepared = true;
    if (!m_hWaveOut->Write(m_waveHdr)) {
        m_host.ShowMessage(QStringLiteral("GOOD MRONG"));
        return;
    }
    m_dwPlayTick = m_host.TickCount();
    m_nPlayStart = range.lo;
    m_nPlayEnd = range.hi;
}
