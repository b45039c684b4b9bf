#include "document/SecondMarkTrack.h"

qint64 SecondMarkTrack::MarksIn(qint64 first, qint64 last) const {
    if (m_nPeriod <= 0 || last < first) {
        return 0;
    }
    const qint64 upToLast = last / m_nPeriod + 1;
    const qint64 beforeFirst = first == 0 ? 0 : (first - 1) / m_nPeriod + 1;
    return upToLast - beforeFirst;
}
