#pragma once

#include "geometry/ViewGeometry.h"

#include <QColor>
#include <QImage>

#include <functional>
#include <optional>

class QPainter;

/// The strip as last painted for the window, kept so that a repaint copies it: it is reused
/// while nothing in it changed, moved when the window scrolls (only the columns that come
/// into view are painted) and painted again only in the columns said to have changed.
class StripPicture {
public:
    /// Paints `columns` (logical) of the window whose left edge is at logical x0 onto the
    /// painter, the painter already translated so that it draws in window coordinates.
    using Painter = std::function<void(QPainter& painter, ColumnRange columns)>;

    /// Everything is painted again at the next Update.
    void Invalidate() { m_valid = false; }
    /// Columns first .. last - 1 (logical) are painted again at the next Update.
    void InvalidateColumns(qint64 first, qint64 last);

    /// The window's left edge (logical) that the picture was last brought up to date for.
    int X0() const { return m_x0; }

    /// The picture of the window at logical x0 and of `size`, brought up to date through
    /// `paint` over `background`.
    const QImage& Update(int x0, QSize size, const QColor& background, const Painter& paint);

private:
    /// Moves the picture's columns by `dx` (positive: to the left, as when scrolling right).
    void Shift(int dx);

    QImage m_image;
    QColor m_background;
    int m_x0 = 0;
    bool m_valid = false;
    std::optional<ColumnRange> m_dirty;
};
