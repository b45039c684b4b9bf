#include "document/CtarnDoc.h"

#include "document/Envelope.h"
#include "document/SampleSplit.h"
#include "document/WaveChunks.h"
#include "subtitles/CueFormats.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

CtarnDoc::CtarnDoc(Host& host, WaveOut* output, QObject* parent)
    : QObject(parent), m_host(host), m_output(output ? *output : m_silentOutput) {}

CtarnDoc::~CtarnDoc() {
    CloseDevice();
}

bool CtarnDoc::OnNewDocument() {
    m_header = WaveHeader{};
    m_fmtExtra.clear();
    m_factData.clear();
    m_listData.clear();
    m_nRawSize = 0;
    m_pSamples[0].clear();
    m_pSamples[1].clear();
    m_nSamples = 0;
    m_nZoom = 1;
    m_nSelStart = 0;
    m_nSelEnd = 0;
    m_cues.Clear();
    BuildSecondMarks();
    BuildAllEnvelopes();
    m_strPathName.clear();
    SetModifiedFlag(false);
    UpdateAllViews(0);
    return true;
}

bool CtarnDoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_host.ShowMessage(QStringLiteral("cannot read ") + path);
        return false;
    }
    const std::optional<WaveChunks> chunks = ReadChunks(file);
    if (!chunks) {
        m_host.ShowMessage(QStringLiteral("not a PCM WAV file"));
        return false;
    }
    SplitResult split = SplitChannels(chunks->header, file, chunks->dataOffset, chunks->dataSize);
    switch (split.status) {
    case SplitResult::Status::Ok:
        break;
    case SplitResult::Status::BadFormat:
        m_host.ShowMessage(split.message);
        return false;
    case SplitResult::Status::NoMemory:
        m_host.ShowMessage(QStringLiteral("memory alloc failure!"));
        return false;
    case SplitResult::Status::ReadError:
        m_host.ShowMessage(QStringLiteral("cannot read ") + path);
        return false;
    }

    const QString fullPath = QFileInfo(path).absoluteFilePath();
    std::vector<Cue> cues = ReadCueSidecar(SidecarBase(fullPath) + QStringLiteral(".txt"),
                                           int(split.samples.left.size()));

    // Everything was read: only now does the document give up what it held.
    m_header = chunks->header;
    m_fmtExtra = chunks->fmtExtra;
    m_factData = chunks->fact;
    m_listData = chunks->list;
    m_nRawSize = chunks->dataSize;
    m_pSamples[0] = std::move(split.samples.left);
    m_pSamples[1] = std::move(split.samples.right);
    m_nSamples = int(m_pSamples[0].size());
    m_nZoom = kOpenedZoom;
    m_nSelStart = 0;
    m_nSelEnd = 0;
    m_cues.Clear();
    m_cues.AddCues(std::move(cues));
    BuildSecondMarks();
    BuildAllEnvelopes();
    m_strPathName = fullPath;
    SetModifiedFlag(false);
    UpdateAllViews(0);
    return true;
}

bool CtarnDoc::OnSaveDocument(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const bool wave = WriteWaveFile(fullPath, 0, m_nSamples);
    const QString base = SidecarBase(fullPath);
    const bool txt = WriteCueTxt(base + QStringLiteral(".txt"));
    const bool sbv = WriteCueSbv(base + QStringLiteral(".sbv"));
    const bool ass = WriteCueAss(base + QStringLiteral(".ass"));
    if (wave) {
        m_strPathName = fullPath;
    }
    const bool saved = wave && txt && sbv && ass;
    if (saved) {
        SetModifiedFlag(false);
    }
    return saved;
}

void CtarnDoc::SetModifiedFlag(bool modified) {
    if (m_bModified == modified) {
        return;
    }
    m_bModified = modified;
    emit modifiedChanged(modified);
}

QString CtarnDoc::GetTitle() const {
    return m_strPathName.isEmpty() ? QStringLiteral("noname") : QFileInfo(m_strPathName).fileName();
}

void CtarnDoc::BuildSecondMarks() {
    m_secondMarks = SecondMarkTrack(m_nSamples, m_header.SampleRate);
}

void CtarnDoc::BuildAllEnvelopes() {
    m_nZoom = std::max(m_nZoom, 1);
    m_nEnvelopeLen = 0;
    for (std::vector<qint16>& envelope : m_pEnvelope) {
        envelope.clear();
    }
    m_pMarkEnvelope.clear();
    if (m_nSamples == 0) {
        return;
    }
    for (int c = 0; c < 2; ++c) {
        std::optional<std::vector<qint16>> built = BuildEnvelope(m_pSamples[c], m_nZoom);
        if (!built) {
            m_host.ShowMessage(QStringLiteral("deefery alloc failure!"));
            continue;
        }
        m_pEnvelope[c] = std::move(*built);
    }
    BuildMarkEnvelope();
}

void CtarnDoc::BuildMarkEnvelope() {
    if (m_nSamples == 0) {
        m_pMarkEnvelope.clear();
        m_nEnvelopeLen = 0;
        return;
    }
    std::optional<std::vector<qint16>> built = ::BuildMarkEnvelope(m_secondMarks, m_nZoom);
    if (!built) {
        m_host.ShowMessage(QStringLiteral("deefery alloc failure!"));
        m_pMarkEnvelope.clear();
        m_nEnvelopeLen = 0;
        return;
    }
    m_pMarkEnvelope = std::move(*built);
    const size_t length = m_pMarkEnvelope.size();
    // The view reads this many entries from every envelope, so a missing one shows nothing.
    const bool complete = m_pEnvelope[0].size() == length && m_pEnvelope[1].size() == length;
    m_nEnvelopeLen = complete ? int(length) : 0;
}

WaveFormatData CtarnDoc::FormatData() const {
    return {m_header, m_fmtExtra, m_factData, m_listData};
}

bool CtarnDoc::SaveWave(const QString& path, int a, int b) {
    m_header.NumOfChannel = 2;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           WriteWave(file, FormatData(), m_pSamples[0], m_pSamples[1],
                     OrderedRange(a, b, m_nSamples)) &&
           file.commit();
}

bool CtarnDoc::WriteWaveFile(const QString& path, int a, int b) {
    if (!SaveWave(path, a, b)) {
        m_host.ShowMessage(QStringLiteral("write file error ") + path);
        return false;
    }
    return true;
}

void CtarnDoc::OnSaveClip() {
    const std::optional<QString> path =
        m_host.AskSavePath({QStringLiteral("Save clip to file"),
                            QStringLiteral("Wave files(*.wav)"), QStringLiteral(".wav")});
    if (!path) {
        return;
    }
    if (WriteWaveFile(*path, m_nSelStart, m_nSelEnd)) {
        m_host.AddToRecentFileList(*path);
    }
}

void CtarnDoc::UpdateAllViews(int hint) {
    emit viewsUpdateRequested(hint);
}
