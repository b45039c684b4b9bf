#include "subtitles/CueList.h"

#include "subtitles/OverlapCount.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

template <typename T>
std::vector<T> Permuted(const std::vector<T>& values, const std::vector<size_t>& order) {
    std::vector<T> out;
    out.reserve(values.size());
    for (size_t i : order) {
        out.push_back(values[i]);
    }
    return out;
}

int ColumnOf(int pos, int scale) {
    return pos / scale;
}

/// pos moved by delta, held inside the 32-bit range: a cue read from a file may end far past
/// the audio, where the sum would overflow.
int Shifted(int pos, int delta) {
    return int(std::clamp<qint64>(qint64(pos) + delta, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

} // namespace

void CueList::Append(Cue cue) {
    m_start.push_back(cue.start);
    m_end.push_back(cue.end);
    m_text.push_back(std::move(cue.text));
    m_overlap.push_back(0);
    m_confidence.push_back(cue.confidence);
}

int CueList::AddCue(int start, int end, QString text) {
    // Where a stable sort would put it: after every cue with the same start.
    const auto at = std::upper_bound(m_start.begin(), m_start.end(), start) - m_start.begin();
    InsertAt(size_t(at), start, end, std::move(text), kNoConfidence);
    return int(std::lower_bound(m_start.begin(), m_start.end(), start) - m_start.begin());
}

int CueList::MoveCue(int i, int start, int end) {
    const auto at = size_t(i);
    // Later cues lose their collision with the cue's old span.
    for (size_t b = at + 1; b < m_start.size(); ++b) {
        m_overlap[b] -= CuesCollide(m_start[at], m_end[at], m_start[b], m_end[b]) ? 1 : 0;
    }
    QString text = std::move(m_text[at]);
    const bool moved = start != m_start[at] || end != m_end[at];
    const float confidence = moved ? kNoConfidence : m_confidence[at];
    m_start.erase(m_start.begin() + ptrdiff_t(at));
    m_end.erase(m_end.begin() + ptrdiff_t(at));
    m_text.erase(m_text.begin() + ptrdiff_t(at));
    m_overlap.erase(m_overlap.begin() + ptrdiff_t(at));
    m_confidence.erase(m_confidence.begin() + ptrdiff_t(at));
    m_reach.erase(m_reach.begin() + ptrdiff_t(at));
    // Among cues of the same start it keeps its place before or after each, as a stable
    // sort of the list with the new span would.
    const auto first =
        size_t(std::lower_bound(m_start.begin(), m_start.end(), start) - m_start.begin());
    const auto last =
        size_t(std::upper_bound(m_start.begin(), m_start.end(), start) - m_start.begin());
    const size_t to = std::clamp(at, first, last);
    InsertAt(to, start, end, std::move(text), confidence);
    return int(to);
}

void CueList::InsertAt(size_t at, int start, int end, QString text, float confidence) {
    // Only the pairs with the new cue are new: a later cue's count grows by one at most, and
    // nothing needs sorting or counting again.
    int overlap = 0;
    for (size_t a = 0; a < at; ++a) {
        overlap += CuesCollide(m_start[a], m_end[a], start, end) ? 1 : 0;
    }
    for (size_t b = at; b < m_start.size(); ++b) {
        m_overlap[b] += CuesCollide(start, end, m_start[b], m_end[b]) ? 1 : 0;
    }
    const auto pos = ptrdiff_t(at);
    m_start.insert(m_start.begin() + pos, start);
    m_end.insert(m_end.begin() + pos, end);
    m_text.insert(m_text.begin() + pos, std::move(text));
    m_overlap.insert(m_overlap.begin() + pos, overlap);
    m_confidence.insert(m_confidence.begin() + pos, confidence);
    m_reach.resize(m_end.size());
    for (size_t i = 0; i < m_reach.size(); ++i) {
        m_reach[i] = std::max(i > 0 ? m_reach[i - 1] : std::numeric_limits<int>::min(), m_end[i]);
    }
}

void CueList::AddCues(std::vector<Cue> cues) {
    for (Cue& cue : cues) {
        Append(std::move(cue));
    }
    SortCues();
}

void CueList::RemoveEmptyCues() {
    size_t kept = 0;
    for (size_t i = 0; i < m_start.size(); ++i) {
        if (m_text[i].isEmpty()) {
            continue;
        }
        m_start[kept] = m_start[i];
        m_end[kept] = m_end[i];
        m_text[kept] = std::move(m_text[i]);
        m_confidence[kept] = m_confidence[i];
        ++kept;
    }
    m_start.resize(kept);
    m_end.resize(kept);
    m_text.resize(kept);
    m_overlap.resize(kept);
    m_confidence.resize(kept);
    SortCues();
}

void CueList::SortCues() {
    std::vector<size_t> order(m_start.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return m_start[a] < m_start[b]; });
    if (!std::is_sorted(order.begin(), order.end())) {
        m_start = Permuted(m_start, order);
        m_end = Permuted(m_end, order);
        m_confidence = Permuted(m_confidence, order);
        std::vector<QString> text;
        text.reserve(order.size());
        for (size_t i : order) {
            text.push_back(std::move(m_text[i]));
        }
        m_text = std::move(text);
    }

    Recount();
}

void CueList::Recount() {
    m_overlap = CountOverlaps(m_start, m_end);
    m_reach.resize(m_end.size());
    int reach = std::numeric_limits<int>::min();
    for (size_t i = 0; i < m_end.size(); ++i) {
        reach = std::max(reach, m_end[i]);
        m_reach[i] = reach;
    }
}

std::pair<int, int> CueList::CuesNear(qint64 lo, qint64 hi) const {
    const auto first = std::lower_bound(m_reach.begin(), m_reach.end(), lo,
                                        [](int reach, qint64 frame) { return reach < frame; });
    const auto last = std::upper_bound(m_start.begin(), m_start.end(), hi,
                                       [](qint64 frame, int start) { return frame < start; });
    const int begin = int(first - m_reach.begin());
    return {begin, std::max(begin, int(last - m_start.begin()))};
}

int CueList::FindCueAt(int pos, int scale, bool overlappedLane) const {
    scale = std::max(scale, 1);
    const int column = ColumnOf(pos, scale);
    const auto [first, last] = CuesNear(qint64(column) * scale, (qint64(column) + 1) * scale - 1);
    for (int i = first; i < last; ++i) {
        if ((Overlap(i) != 0) != overlappedLane) {
            continue;
        }
        if (ColumnOf(Start(i), scale) <= column && column <= ColumnOf(End(i), scale)) {
            return i;
        }
    }
    return -1;
}

void CueList::SetStart(int i, int start) {
    if (m_start[size_t(i)] != start) {
        m_start[size_t(i)] = start;
        m_confidence[size_t(i)] = kNoConfidence;
    }
}

void CueList::SetEnd(int i, int end) {
    if (m_end[size_t(i)] != end) {
        m_end[size_t(i)] = end;
        m_confidence[size_t(i)] = kNoConfidence;
    }
}

void CueList::SetText(int i, QString text) {
    if (m_text[size_t(i)] != text) {
        m_text[size_t(i)] = std::move(text);
        m_confidence[size_t(i)] = kNoConfidence;
    }
}

void CueList::RemoveCue(int i) {
    const auto at = ptrdiff_t(i);
    m_start.erase(m_start.begin() + at);
    m_end.erase(m_end.begin() + at);
    m_text.erase(m_text.begin() + at);
    m_overlap.erase(m_overlap.begin() + at);
    m_confidence.erase(m_confidence.begin() + at);
    SortCues();
}

void CueList::Clear() {
    m_start.clear();
    m_end.clear();
    m_text.clear();
    m_overlap.clear();
    m_confidence.clear();
    m_reach.clear();
}

void CueList::ShiftCues(FrameRange removed, int delta, int newStart) {
    const int selStart = removed.lo;
    const int selEnd = removed.hi;
    // The fields are written directly: the setters would drop the confidences.
    for (size_t i = 0; i < m_start.size(); ++i) {
        int& s = m_start[i];
        int& e = m_end[i];
        if (s < selStart) {
            if (e >= selEnd) {
                e = Shifted(e, delta);
            } else if (e >= selStart) {
                e = selStart;
            }
        } else if (s >= selEnd) {
            s = Shifted(s, delta);
            e = Shifted(e, delta);
        } else if (e < selEnd) {
            m_text[i].clear();
        } else {
            s = newStart;
            e = Shifted(e, delta);
        }
    }
    RemoveEmptyCues();
}

std::vector<Cue> CueList::Records(int first, int count) const {
    std::vector<Cue> records;
    records.reserve(size_t(count));
    for (int i = first; i < first + count; ++i) {
        records.push_back({Start(i), End(i), Text(i), Confidence(i)});
    }
    return records;
}

std::vector<Cue> CueList::ReplaceRecords(int first, int count, std::vector<Cue> records) {
    std::vector<Cue> replaced = Records(first, count);
    const auto at = ptrdiff_t(first);
    const auto until = ptrdiff_t(first + count);
    m_start.erase(m_start.begin() + at, m_start.begin() + until);
    m_end.erase(m_end.begin() + at, m_end.begin() + until);
    m_text.erase(m_text.begin() + at, m_text.begin() + until);
    m_confidence.erase(m_confidence.begin() + at, m_confidence.begin() + until);
    std::vector<int> starts;
    std::vector<int> ends;
    std::vector<QString> texts;
    std::vector<float> confidences;
    for (Cue& cue : records) {
        starts.push_back(cue.start);
        ends.push_back(cue.end);
        texts.push_back(std::move(cue.text));
        confidences.push_back(cue.confidence);
    }
    m_start.insert(m_start.begin() + at, starts.begin(), starts.end());
    m_end.insert(m_end.begin() + at, ends.begin(), ends.end());
    m_text.insert(m_text.begin() + at, std::make_move_iterator(texts.begin()),
                  std::make_move_iterator(texts.end()));
    m_confidence.insert(m_confidence.begin() + at, confidences.begin(), confidences.end());
    Recount();
    return replaced;
}
