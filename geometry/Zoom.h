#pragma once

#include <QtGlobal>

#include <optional>

/// Zoom bounds, in frames per column.
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 4096;
/// Above this zoom the ruler marks every (zoom / 1024) seconds instead of every second.
constexpr int kCoarseMarkZoom = 1024;

/// The mark period, in frames, that the ruler shows at `zoom`: nothing at or below the
/// coarse threshold (the marks stay as they are), else (zoom / 1024) seconds.
inline std::optional<qint64> CoarseMarkPeriod(int zoom, qint32 rate) {
    if (zoom <= kCoarseMarkZoom) {
        return std::nullopt;
    }
    return qint64(zoom / kCoarseMarkZoom) * rate;
}
