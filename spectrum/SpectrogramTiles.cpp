#include "spectrum/SpectrogramTiles.h"

#include <QMetaObject>

#include <algorithm>
#include <limits>

SpectrogramTiles::SpectrogramTiles(const Recording& recording, int maxTiles, QObject* parent)
    : QObject(parent), m_recording(recording), m_maxTiles(size_t(std::max(maxTiles, 1))) {}

SpectrogramTiles::~SpectrogramTiles() {
    CancelAll();
}

const std::vector<quint32>* SpectrogramTiles::Tile(const TileKey& key) {
    if (auto found = m_tiles.find(key); found != m_tiles.end()) {
        found->second.lastUse = ++m_uses;
        return &found->second.pixels;
    }
    if (m_pending.insert(key).second) {
        const quint64 generation = m_generation;
        m_pool.start([this, key, generation] {
            const SpectrogramLayout layout{key.zoom, key.height, key.logFrequency};
            std::vector<quint32> pixels =
                SpectrogramColumns(m_recording, key.channel, key.index * kSpectrogramTileColumns,
                                   kSpectrogramTileColumns, layout);
            // Posted to the owner's thread; a cache destroyed first takes the post with it.
            QMetaObject::invokeMethod(
                this,
                [this, key, generation, pixels = std::move(pixels)]() mutable {
                    Store(key, generation, std::move(pixels));
                },
                Qt::QueuedConnection);
        });
    }
    return nullptr;
}

void SpectrogramTiles::DropRange(FrameRange range) {
    DropFrames(range.lo, range.hi);
}

void SpectrogramTiles::DropFrom(qint64 frame) {
    DropFrames(frame, std::numeric_limits<qint64>::max());
}

void SpectrogramTiles::Clear() {
    m_tiles.clear();
    Forget();
}

void SpectrogramTiles::CancelAll() {
    m_pool.clear();
    m_pool.waitForDone();
    Forget();
}

void SpectrogramTiles::DropFrames(qint64 lo, qint64 hi) {
    if (lo >= hi) {
        return;
    }
    // A column's transforms reach half a window beyond its frames on either side.
    const qint64 reach = SpectrogramWindow(m_recording.SampleRate()) / 2;
    std::erase_if(m_tiles, [&](const auto& tile) {
        const qint64 frames = qint64(kSpectrogramTileColumns) * tile.first.zoom;
        const qint64 first = tile.first.index * frames - reach;
        const qint64 last = (tile.first.index + 1) * frames + reach;
        return first < hi && lo < last;
    });
    // A computation under way may have read the frames before they changed.
    Forget();
}

void SpectrogramTiles::Forget() {
    ++m_generation;
    m_pending.clear();
}

void SpectrogramTiles::Store(const TileKey& key, quint64 generation, std::vector<quint32> pixels) {
    if (generation != m_generation) {
        return;
    }
    m_pending.erase(key);
    if (m_tiles.size() >= m_maxTiles) {
        m_tiles.erase(
            std::min_element(m_tiles.begin(), m_tiles.end(), [](const auto& a, const auto& b) {
                return a.second.lastUse < b.second.lastUse;
            }));
    }
    m_tiles[key] = Entry{std::move(pixels), ++m_uses};
    emit tileReady(key);
}
