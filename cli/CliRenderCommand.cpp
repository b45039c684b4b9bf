#include "cli/CliRenderCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliHost.h"
#include "cli/CliSupport.h"
#include "document/CtarnDoc.h"
#include "geometry/StripState.h"
#include "spectrum/SpectrogramTiles.h"
#include "view/WaveformPainter.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <limits>
#include <optional>

namespace {

struct RenderRequest {
    int zoom = StripState::kOpenedZoom;
    int first = 0;
    int width = 1200;
    int height = 400;
    bool spectrogram = false;
};

/// The options of render; nothing when one is malformed, out of range or repeated.
std::optional<RenderRequest> ParseRenderOptions(const QStringList& args) {
    RenderRequest request;
    QStringList seen;
    if (args.size() % 2 != 0) {
        return std::nullopt;
    }
    for (int i = 0; i < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (seen.contains(name)) {
            return std::nullopt;
        }
        seen << name;
        std::optional<int> number;
        if (name == "--zoom" && (number = ParseInt(value, 1, 4096))) {
            request.zoom = *number;
        } else if (name == "--first" &&
                   (number = ParseInt(value, 0, std::numeric_limits<int>::max()))) {
            request.first = *number;
        } else if (name == "--width" && (number = ParseInt(value, 1, 16384))) {
            request.width = *number;
        } else if (name == "--height" && (number = ParseInt(value, 16, 8192))) {
            request.height = *number;
        } else if (name == "--view" && (value == "waveform" || value == "spectrogram")) {
            request.spectrogram = value == "spectrogram";
        } else {
            return std::nullopt;
        }
    }
    return request;
}

/// Asks for every tile the area shows and waits until all are there.
void WaitForTiles(SpectrogramTiles& tiles, const StripState& strip, const PaintArea& area) {
    const qint64 firstTile = area.x0 / kSpectrogramTileColumns;
    const qint64 lastTile = std::min<qint64>(qint64(area.x0) + area.width, strip.StripColumns()) /
                            kSpectrogramTileColumns;
    for (qint64 tile = firstTile; tile <= lastTile; ++tile) {
        for (int channel = 0; channel < 2; ++channel) {
            const TileKey key{channel, strip.Zoom(), tile, area.height / 2, true};
            while (!tiles.Tile(key)) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            }
        }
    }
}

} // namespace

int RunRender(const QStringList& args) {
    if (args.size() < 2) {
        return kCliUsage;
    }
    const std::optional<RenderRequest> request = ParseRenderOptions(args.mid(2));
    if (!request) {
        return kCliUsage;
    }
    return OnOpened(args[0], [&](CtarnDoc& doc, CliHost& host) {
        StripState strip(doc);
        strip.SetZoom(request->zoom);
        PaintArea area{request->first, request->width, request->height};
        SpectrogramTiles tiles(doc.GetRecording());
        if (request->spectrogram) {
            area.spectrogram = &tiles;
            WaitForTiles(tiles, strip, area);
        }
        QImage image(request->width, request->height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PaintBuffers buffers;
            PaintWaveform(painter, doc, strip, -1, area, QColor(Qt::darkGray), buffers);
        }
        // The file is replaced only once the new picture is complete.
        QSaveFile file(args[1]);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
            host.ShowMessage(QStringLiteral("cannot write %1").arg(args[1]));
        }
    });
}
