#include "document/History.h"

namespace {

bool SameCue(const Cue& a, const CueList& list, int i) {
    // The confidence counts too: accepting a cue's timing is a step of its own.
    return a.start == list.Start(i) && a.end == list.End(i) && a.text == list.Text(i) &&
           a.confidence == list.Confidence(i);
}

qint64 FramesBytes(const SampleVector (&frames)[2]) {
    return qint64(frames[0].size() + frames[1].size()) * qint64(sizeof(qint16));
}

} // namespace

qint64 EditStep::MemoryBytes() const {
    qint64 bytes = 0;
    if (samples) {
        bytes += FramesBytes(samples->frames);
    }
    if (cues) {
        for (const Cue& cue : cues->records) {
            bytes += qint64(sizeof(Cue)) + cue.text.size() * qint64(sizeof(QChar));
        }
    }
    if (replay) {
        bytes += FramesBytes(replay->frames);
    }
    return bytes;
}

std::optional<CueSwap> CueDifference(const std::vector<Cue>& before, const CueList& after) {
    const int b = int(before.size());
    const int a = after.Count();
    int head = 0;
    while (head < b && head < a && SameCue(before[size_t(head)], after, head)) {
        ++head;
    }
    int tail = 0;
    while (tail < b - head && tail < a - head &&
           SameCue(before[size_t(b - 1 - tail)], after, a - 1 - tail)) {
        ++tail;
    }
    if (head + tail == a && head + tail == b) {
        return std::nullopt;
    }
    return CueSwap{head, a - head - tail,
                   std::vector<Cue>(before.begin() + head, before.end() - tail)};
}

void History::Clear() {
    m_steps.clear();
    m_sizes.clear();
    m_nApplied = 0;
    m_nClean = 0;
    m_nBytes = 0;
}

void History::SetCapacity(qint64 bytes) {
    m_nCapacity = bytes;
    Trim();
}

void History::Push(EditStep step) {
    while (CanRedo()) {
        m_nBytes -= m_sizes.back();
        m_steps.pop_back();
        m_sizes.pop_back();
    }
    if (m_nClean > m_nApplied) {
        m_nClean = -1; // the saved state was among the dropped redo steps
    }
    m_sizes.push_back(step.MemoryBytes());
    m_nBytes += m_sizes.back();
    m_steps.push_back(std::move(step));
    ++m_nApplied;
    Trim();
}

void History::MarkUndone() {
    --m_nApplied;
    Resized(m_nApplied);
}

void History::MarkRedone() {
    Resized(m_nApplied);
    ++m_nApplied;
    Trim();
}

void History::Resized(int i) {
    const qint64 size = m_steps[size_t(i)].MemoryBytes();
    m_nBytes += size - m_sizes[size_t(i)];
    m_sizes[size_t(i)] = size;
}

const EditStep* History::NextUndo() const {
    return CanUndo() ? &m_steps[size_t(m_nApplied - 1)] : nullptr;
}

const EditStep* History::NextRedo() const {
    return CanRedo() ? &m_steps[size_t(m_nApplied)] : nullptr;
}

std::optional<std::vector<const EditStep*>> History::StepsSinceClean() const {
    if (m_nClean < 0 || m_nClean > m_nApplied) {
        return std::nullopt;
    }
    std::vector<const EditStep*> steps;
    for (int i = m_nClean; i < m_nApplied; ++i) {
        steps.push_back(&m_steps[size_t(i)]);
    }
    return steps;
}

void History::Trim() {
    // Only done steps can go: the first undone one must stay next in line for a redo.
    while (m_nCapacity > 0 && m_nBytes > m_nCapacity && m_steps.size() > 1 && m_nApplied > 1) {
        m_nBytes -= m_sizes.front();
        m_steps.pop_front();
        m_sizes.pop_front();
        --m_nApplied;
        m_nClean = m_nClean > 0 ? m_nClean - 1 : -1;
    }
}
