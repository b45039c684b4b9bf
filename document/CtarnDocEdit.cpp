#include "document/CtarnDoc.h"

#include <algorithm>
#include <limits>
#include <new>

namespace {

qint16 Scaled(qint16 sample, int k) {
    const int v = int(sample) * k / 10;
    return qint16(std::clamp(v, int(std::numeric_limits<qint16>::min()),
                             int(std::numeric_limits<qint16>::max())));
}

} // namespace

FrameRange CtarnDoc::SelectionForEdit() const {
    return EditRange(m_nSelStart, m_nSelEnd, m_nSamples);
}

void CtarnDoc::ScaleSelection(int k) {
    const FrameRange range = SelectionForEdit();
    for (std::vector<qint16>& channel : m_pSamples) {
        for (int i = range.lo; i < range.hi; ++i) {
            channel[size_t(i)] = Scaled(channel[size_t(i)], k);
        }
    }
    SetModifiedFlag(true);
    if (!range.IsEmpty()) {
        BuildAllEnvelopes();
    }
}

void CtarnDoc::OnEditCopy() {
    const FrameRange range = SelectionForEdit();
    if (range.IsEmpty()) {
        return;
    }
    m_pClipLeft.clear();
    m_pClipRight.clear();
    m_nClipLen = 0;
    try {
        const auto first = ptrdiff_t(range.lo);
        const auto last = ptrdiff_t(range.hi);
        m_pClipLeft.assign(m_pSamples[0].begin() + first, m_pSamples[0].begin() + last);
        m_pClipRight.assign(m_pSamples[1].begin() + first, m_pSamples[1].begin() + last);
    } catch (const std::bad_alloc&) {
        m_pClipLeft = {};
        m_pClipRight = {};
        m_host.ShowMessage(QStringLiteral("alloc memory0 failure"));
        return;
    }
    m_nClipLen = range.Length();
}

void CtarnDoc::OnEditCut() {
    const FrameRange range = SelectionForEdit();
    if (range.IsEmpty()) {
        return;
    }
    OnEditCopy();
    // Erasing in place needs no second copy of the samples, so a cut cannot run out of memory.
    for (std::vector<qint16>& channel : m_pSamples) {
        channel.erase(channel.begin() + range.lo, channel.begin() + range.hi);
    }
    const int oldLength = m_nSamples;
    m_nSamples = int(m_pSamples[0].size());
    m_cues.ShiftCues(range, m_nSamples - oldLength, range.lo);
    // The marks keep their period; only the track's length follows the audio.
    m_secondMarks = SecondMarkTrack(m_nSamples, m_secondMarks.Period());
    m_nSelStart = range.lo;
    m_nSelEnd = range.lo;
    SetModifiedFlag(true);
    BuildAllEnvelopes();
    UpdateAllViews(1);
}

void CtarnDoc::OnEditPaste() {
    if (m_nClipLen <= 0) {
        return;
    }
    const FrameRange range = SelectionForEdit();
    const qint64 newLength = qint64(m_nSamples) - range.Length() + m_nClipLen;
    if (newLength > std::numeric_limits<int>::max()) {
        m_host.ShowMessage(QStringLiteral("alloc memory 0 failure"));
        return;
    }
    try {
        // Reserve both channels first, so that a failure leaves both as they were.
        m_pSamples[0].reserve(size_t(newLength));
        m_pSamples[1].reserve(size_t(newLength));
    } catch (const std::bad_alloc&) {
        m_host.ShowMessage(QStringLiteral("alloc memory 0 failure"));
        return;
    }
    const std::vector<qint16>* clip[2] = {&m_pClipLeft, &m_pClipRight};
    for (int c = 0; c < 2; ++c) {
        std::vector<qint16>& channel = m_pSamples[c];
        channel.erase(channel.begin() + range.lo, channel.begin() + range.hi);
        channel.insert(channel.begin() + range.lo, clip[c]->begin(), clip[c]->end());
    }
    const int oldLength = m_nSamples;
    m_nSamples = int(newLength);
    m_cues.ShiftCues(range, m_nSamples - oldLength, range.lo + m_nClipLen);
    m_nSelStart = range.lo;
    m_nSelEnd = range.lo + m_nClipLen;
    BuildSecondMarks();
    SetModifiedFlag(true);
    BuildAllEnvelopes();
    UpdateAllViews(1);
}
