#pragma once

#include "geometry/ViewGeometry.h"

#include <QColor>
#include <QPoint>
#include <QStaticText>
#include <QString>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class CtarnDoc;
class SpectrogramTiles;
class StripState;
class QPainter;

/// The part of the strip to paint: the logical x of the window's left edge and the window's
/// size in logical pixels.
struct PaintArea {
    int x0 = 0;
    int width = 0;
    int height = 0;
    /// A cue being dragged, drawn at movedStart..movedEnd instead of its own span; -1: none.
    int movedCue = -1;
    int movedStart = 0;
    int movedEnd = 0;
    /// Whether cue i breaks a timing rule (a red mark on its box); none when empty.
    std::function<bool(int)> flagged = {};
    /// The columns to paint (logical); nothing: every column in the window. Whatever is
    /// painted of them comes out as a paint of the whole window would give it.
    std::optional<ColumnRange> dirty = {};
    /// The waveform's height magnified this many times (1 to 64), clipped at the lane.
    int amplitude = 1;
    /// Each channel's lane as a spectrogram from these tiles (the waveform where a tile is
    /// not ready yet); nothing: the waveform.
    SpectrogramTiles* spectrogram = nullptr;
    bool logFrequency = true;
    /// The waveform drawn thin over the spectrogram.
    bool waveOverSpectrogram = false;
};

/// Laid-out labels of cue boxes.
using CueLabels = std::unordered_map<QString, QStaticText>;

/// What a paint computes into, kept by its caller so that painting allocates nothing once
/// the window stopped growing: the painted columns' envelope entries and the rows each
/// column's trace runs between.
struct PaintBuffers {
    std::vector<qint16> entries;
    std::vector<int> lo;
    std::vector<int> hi;
    /// The cue boxes' labels as laid out, by text, width and font.
    CueLabels labels;
};

/// Paints the visible part of the document's strip as `strip` lays it out, each layer over the
/// one before:
/// selection shading, time ruler (marks and the ticks between them), both waveforms, cue boxes with
/// their numbered labels. Works on any paint device (the view, an image, a printer); the envelopes
/// are computed for the visible columns only. `shadow` is the colour of the boxes' shadows.
void PaintWaveform(QPainter& painter, const CtarnDoc& doc, const StripState& strip, int curCue,
                   const PaintArea& area, const QColor& shadow, PaintBuffers& buffers);

namespace WaveformColour {
inline const QColor kSelection{0xBB, 0xBB, 0xBB};
inline const QColor kRulerText{0x88, 0x88, 0xBB};
inline const QColor kWave{0x0F, 0x9D, 0x58};
inline const QColor kCue{0xF4, 0xB4, 0x00};
inline const QColor kPlaceholder{0xDE, 0x80, 0xDE};
inline const QColor kCurrentCue{0x42, 0x85, 0xF4};
inline const QColor kCueText{0x0B, 0x4B, 0xFF};
inline const QColor kCurrentCueText{0xFF, 0xFF, 0xFF};
inline const QColor kPlayed{0x80, 0x00, 0x00};
inline const QColor kBrokenRule{0xD9, 0x1E, 0x18};
inline const QColor kWaveOverSpectrogram{0xFF, 0xFF, 0xFF, 0x90};
inline const QColor kSelectionOverSpectrogram{0xFF, 0xFF, 0xFF, 0x50};
} // namespace WaveformColour
