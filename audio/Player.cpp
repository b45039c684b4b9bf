#include "audio/Player.h"

#include "document/Host.h"
#include "document/Recording.h"

#include <QCoreApplication>
#include <QtEndian>

#include <new>

Player::Player(Host& host, WaveOut* output)
    : m_host(host), m_output(output ? *output : m_silentOutput) {}

Player::~Player() {
    CloseDevice();
}

void Player::CloseDevice() {
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

void Player::Stop() {
    if (m_hWaveOut && m_bHdrPrepared) {
        m_hWaveOut->Reset();
        m_hWaveOut->Unprepare(m_waveHdr);
        m_bHdrPrepared = false;
    }
    m_record = PlayRecord{};
}

void Player::PlayRange(const Recording& recording, int a, int b) {
    const int frames = recording.Frames();
    if (frames <= 0) {
        return;
    }
    FrameRange range = OrderedRange(a, b, frames);
    if (range.IsEmpty()) {
        range = {0, frames};
    }

    m_wfx = WaveOutFormat{};
    m_wfx.nSamplesPerSec = recording.SampleRate();
    m_wfx.nAvgBytesPerSec = quint32(recording.SampleRate()) * 4;
    // A device opened for another rate would play this file too fast or too slow.
    if (m_hWaveOut && !(m_openFormat == m_wfx)) {
        CloseDevice();
    }
    if (!m_hWaveOut) {
        if (!m_output.Open(m_wfx)) {
            m_host.ShowMessage(QCoreApplication::translate("Message", "falkfdfjsew"));
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
        m_host.ShowMessage(QCoreApplication::translate("Message", "memory alloc failure!", "play"));
        return;
    }
    const qint16* left = recording.Samples(0).data();
    const qint16* right = recording.Samples(1).data();
    char* out = m_pPlayBuffer.data();
    for (int i = range.lo; i < range.hi; ++i, out += 4) {
        qToLittleEndian<qint16>(left[i], out);
        qToLittleEndian<qint16>(right[i], out + 2);
    }
    m_waveHdr.lpData = m_pPlayBuffer.constData();
    m_waveHdr.dwBufferLength = quint32(m_pPlayBuffer.size());

    if (!m_hWaveOut->Prepare(m_waveHdr)) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "Jkldjsklfeew"));
        return;
    }
    m_bHdrPrepared = true;
    if (!m_hWaveOut->Write(m_waveHdr)) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "GOOD MRONG"));
        return;
    }
    m_record = {range.lo, range.hi, m_host.TickCount()};
}
