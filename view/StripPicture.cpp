#include "view/StripPicture.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

void StripPicture::InvalidateColumns(qint64 first, qint64 last) {
    if (first >= last) {
        return;
    }
    m_dirty = m_dirty ? ColumnRange{std::min(m_dirty->first, first), std::max(m_dirty->last, last)}
                      : ColumnRange{first, last};
}

void StripPicture::Shift(int dx) {
    const int width = m_image.width();
    const int kept = width - std::abs(dx);
    const auto bytes = size_t(kept) * sizeof(quint32);
    for (int y = 0; y < m_image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(m_image.scanLine(y));
        if (dx > 0) {
            std::memmove(line, line + dx, bytes);
        } else {
            std::memmove(line - dx, line, bytes);
        }
    }
}

const QImage& StripPicture::Update(int x0, QSize size, const QColor& background,
                                   const Painter& paint) {
    if (m_image.size() != size || background != m_background) {
        m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_background = background;
        m_valid = false;
    }
    const int width = size.width();
    if (m_valid && x0 != m_x0) {
        const int dx = x0 - m_x0;
        if (std::abs(dx) >= width) {
            m_valid = false;
        } else {
            Shift(dx);
            // The columns that came into view.
            InvalidateColumns(dx > 0 ? qint64(x0) + width - dx : x0,
                              dx > 0 ? qint64(x0) + width : qint64(x0) - dx);
        }
    }
    m_x0 = x0;
    if (!m_valid) {
        m_dirty = ColumnRange{x0, qint64(x0) + width};
        m_valid = true;
    }
    if (!m_dirty) {
        return m_image;
    }
    const qint64 first = std::max<qint64>(m_dirty->first, x0);
    const qint64 last = std::min<qint64>(m_dirty->last, qint64(x0) + width);
    m_dirty.reset();
    if (first < last && !m_image.isNull()) {
        QPainter painter(&m_image);
        painter.fillRect(QRect(int(first - x0), 0, int(last - first), size.height()), background);
        paint(painter, {first, last});
    }
    return m_image;
}
