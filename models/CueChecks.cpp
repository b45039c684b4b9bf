#include "models/CueChecks.h"

#include "document/CtarnDoc.h"

CueChecks::CueChecks(const CtarnDoc& doc, TimingProfile profile, QObject* parent)
    : QObject(parent), m_doc(doc), m_profile(std::move(profile)) {
    CheckAll();
    connect(&doc, &CtarnDoc::documentReplaced, this, [this] { CheckAll(); });
    connect(&doc, &CtarnDoc::cuesChanged, this, [this](const CueChange& change) {
        const CueList& cues = m_doc.Cues();
        const qint32 rate = m_doc.GetRecording().SampleRate();
        if (rate <= 0) {
            return;
        }
        m_check.Recheck(cues, rate, m_profile, {change.first, change.removed, change.inserted});
        // The earlier neighbour's gap follows the change, and every later row moved.
        const int first = std::max(change.first - 1, 0);
        const int last =
            change.removed == change.inserted ? change.first + change.inserted : cues.Count() - 1;
        emit checked(first, std::min(last, cues.Count() - 1));
    });
}

void CueChecks::SetProfile(TimingProfile profile) {
    m_profile = std::move(profile);
    CheckAll();
}

void CueChecks::CheckAll() {
    const qint32 rate = m_doc.GetRecording().SampleRate();
    m_check.CheckAll(rate > 0 ? m_doc.Cues() : CueList(), std::max(rate, 1), m_profile);
    emit checked(0, m_check.Count() - 1);
}

TimingProblems CueChecks::Problems(int i) const {
    return i >= 0 && i < m_check.Count() ? m_check.Problems(i) : TimingProblems();
}

int CueChecks::NextFlagged(int from, bool backward) const {
    const int count = m_check.Count();
    if (from < 0 || from >= count) {
        from = backward ? count : -1;
    }
    for (int step = 1; step <= count; ++step) {
        const int i = ((from + (backward ? -step : step)) % count + count) % count;
        if (m_check.Problems(i)) {
            return i;
        }
    }
    return -1;
}
