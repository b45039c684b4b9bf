#pragma once

#include "base/FrameRange.h"
#include "recording/Recording.h"
#include "spectrum/SpectrogramColumns.h"

#include <QObject>
#include <QThreadPool>

#include <compare>
#include <map>
#include <set>
#include <vector>

/// Columns in one tile of the spectrogram.
constexpr int kSpectrogramTileColumns = 256;

/// One tile: columns index * kSpectrogramTileColumns onwards of a channel in a layout.
struct TileKey {
    int channel = 0;
    int zoom = 1;
    qint64 index = 0;
    int height = 1;
    bool logFrequency = true;

    auto operator<=>(const TileKey&) const = default;
};

/// The spectrogram tiles the view asked for, computed on worker threads and kept up to a
/// bound, the least recently used dropped first. The recording must not change while a tile
/// is computed: call CancelAll before it changes, then drop the tiles the change touched. A
/// drop or CancelAll throws away the computations under way, whose tiles must be asked for
/// again (the repaint after a change does).
class SpectrogramTiles : public QObject {
    Q_OBJECT

public:
    explicit SpectrogramTiles(const Recording& recording, int maxTiles = 256,
                              QObject* parent = nullptr);
    /// Waits for the computations running.
    ~SpectrogramTiles() override;

    /// The tile's pixels (kSpectrogramTileColumns wide, key.height high, as
    /// SpectrogramColumns lays them out) when they are ready, else nullptr after queueing
    /// their computation; tileReady follows. The pointer holds until the cache changes: the
    /// next drop, or the next round of the event loop.
    const std::vector<quint32>* Tile(const TileKey& key);

    /// Forgets the tiles whose transforms read any frame of `range`.
    void DropRange(FrameRange range);
    /// Forgets the tiles whose transforms read frame `frame` or any later one.
    void DropFrom(qint64 frame);
    /// Forgets every tile.
    void Clear();
    /// Drops the computations not started and waits for the running ones, whose results are
    /// thrown away: tiles asked for and not ready must be asked for again.
    void CancelAll();

signals:
    void tileReady(const TileKey& key);

private:
    struct Entry {
        std::vector<quint32> pixels;
        quint64 lastUse = 0;
    };

    /// Forgets the tiles whose transforms read a frame of lo .. hi - 1.
    void DropFrames(qint64 lo, qint64 hi);
    /// Results computed from now on are the ones kept.
    void Forget();
    void Store(const TileKey& key, quint64 generation, std::vector<quint32> pixels);

    const Recording& m_recording;
    const size_t m_maxTiles;
    std::map<TileKey, Entry> m_tiles;
    std::set<TileKey> m_pending;
    quint64 m_generation = 0;
    quint64 m_uses = 0;
    QThreadPool m_pool;
};
