#include "subtitles/OverlapCount.h"

#include <algorithm>

namespace {

/// How many of the ends added so far are at most a bound: a Fenwick tree over the distinct
/// end values.
class EndCounter {
public:
    explicit EndCounter(std::vector<int> ends) : m_values(std::move(ends)) {
        std::sort(m_values.begin(), m_values.end());
        m_values.erase(std::unique(m_values.begin(), m_values.end()), m_values.end());
        m_tree.assign(m_values.size() + 1, 0);
    }

    void Add(int end) {
        const auto rank =
            std::lower_bound(m_values.begin(), m_values.end(), end) - m_values.begin();
        for (size_t i = size_t(rank) + 1; i < m_tree.size(); i += i & -i) {
            ++m_tree[i];
        }
    }

    int AtMost(int bound) const {
        const auto rank =
            std::upper_bound(m_values.begin(), m_values.end(), bound) - m_values.begin();
        int count = 0;
        for (size_t i = size_t(rank); i > 0; i -= i & -i) {
            count += m_tree[i];
        }
        return count;
    }

private:
    std::vector<int> m_values;
    std::vector<int> m_tree;
};

/// Adds `sign` times the number of cues among the first `prefix` whose end is at most
/// `bound` to the count of cue `cue`.
struct Query {
    size_t prefix;
    int bound;
    size_t cue;
    int sign;
};

} // namespace

// With a.start <= b.start the rule splits in two disjoint cases:
// - a.start == b.start: a collides when b.start < b.end, or else when a.end <= b.end;
// - a.start < b.start: a collides when a.start < b.end and a.end > b.start.
// Each is a count over a prefix of the list with a condition on the end, answered in order
// of prefix length while the ends go into the counter.
std::vector<int> CountOverlaps(const std::vector<int>& starts, const std::vector<int>& ends) {
    const size_t n = starts.size();
    std::vector<int> counts(n, 0);
    std::vector<Query> queries;
    queries.reserve(2 * n);
    size_t sameStart = 0; // the first cue with the start of cue k
    for (size_t k = 0; k < n; ++k) {
        const int start = starts[k];
        const int end = ends[k];
        if (k > 0 && starts[k - 1] != start) {
            sameStart = k;
        }
        // Same start: every earlier one when this cue is not empty, else those ending by its end.
        if (start < end) {
            counts[k] += int(k - sameStart);
        } else {
            queries.push_back({k, end, k, 1});
            queries.push_back({sameStart, end, k, -1});
        }
        // The cues starting before both ends of this one, less those that end by its start.
        const auto before = size_t(
            std::lower_bound(starts.begin(), starts.end(), std::min(start, end)) - starts.begin());
        counts[k] += int(before);
        queries.push_back({before, start, k, -1});
    }
    std::sort(queries.begin(), queries.end(),
              [](const Query& a, const Query& b) { return a.prefix < b.prefix; });

    EndCounter counter(ends);
    size_t added = 0;
    for (const Query& q : queries) {
        for (; added < q.prefix; ++added) {
            counter.Add(ends[added]);
        }
        counts[q.cue] += q.sign * counter.AtMost(q.bound);
    }
    return counts;
}
