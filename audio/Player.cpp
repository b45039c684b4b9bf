#include "audio/Player.h"

#include "audio/RecordingStream.h"
#include "audio/StretchStream.h"
#include "base/Host.h"
#include "recording/Recording.h"

#include <QCoreApplication>

Player::Player(Host& host, WaveOut* output)
    : m_host(host), m_output(output ? *output : m_silentOutput) {}

Player::~Player() {
    CloseDevice();
}

void Player::CloseDevice() {
    if (!m_hWaveOut) {
        return;
    }
    if (m_bHdrPrepared) {
        m_hWaveOut->Reset();
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

void Player::PlayRange(const Recording& recording, int a, int b, int speedTenths, bool looping) {
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
        m_bHdrPrepared = false;
    }

    constexpr QIODevice::OpenMode kMode = QIODevice::ReadOnly | QIODevice::Unbuffered;
    m_stream = std::make_unique<RecordingStream>(recording, range, looping);
    m_stream->open(kMode);
    // As recorded, the device reads the arrays themselves; other speeds go through a stretch.
    if (speedTenths != PlaySpeed::kNormal) {
        m_stream = std::make_unique<StretchStream>(std::move(m_stream), recording.SampleRate(),
                                                   speedTenths);
        m_stream->open(kMode);
    }
    m_waveHdr = WaveOutBuffer{m_stream.get(), m_stream->size()};

    if (!m_hWaveOut->Prepare(m_waveHdr)) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "Jkldjsklfeew"));
        return;
    }
    m_bHdrPrepared = true;
    if (!m_hWaveOut->Write(m_waveHdr)) {
        m_host.ShowMessage(QCoreApplication::translate("Message", "GOOD MRONG"));
        return;
    }
    m_record = {range.lo, range.hi, m_host.TickCount(), speedTenths, looping};
}
