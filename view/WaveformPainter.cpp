#include "view/WaveformPainter.h"

#include "document/CtarnDoc.h"
#include "geometry/RulerTicks.h"
#include "geometry/StripState.h"
#include "geometry/ViewGeometry.h"
#include "spectrum/SpectrogramTiles.h"
#include "subtitles/CueText.h"

#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <QTextOption>

#include <algorithm>

namespace {

/// Ruler labels sit this far right of their line, and the lower one this far above the
/// bottom edge.
constexpr int kLabelIndent = 3;
constexpr int kLowerLabelRise = 15;
/// Ticks of labelled times off the marks reach this far in from the top and the bottom edge.
constexpr int kTickLength = 8;
/// Room between the end of a label and the next labelled time's line.
constexpr int kLabelGap = 6;
/// Corner radius of the cue boxes.
constexpr int kBoxCorner = 5;
constexpr int kShadowOffset = 3;
/// Laid-out box labels kept at most; beyond, they are laid out afresh.
constexpr size_t kMostLabels = 4000;

void PaintSelection(QPainter& p, const CtarnDoc& doc, const StripState& strip, ColumnRange drawn,
                    int height, const QColor& colour) {
    // Runs of selected columns, each one rectangle.
    for (qint64 x = drawn.first; x < drawn.last;) {
        if (!IsColumnSelected(int(x), strip.Zoom(), doc.SelStart(), doc.SelEnd())) {
            ++x;
            continue;
        }
        qint64 end = x + 1;
        while (end < drawn.last &&
               IsColumnSelected(int(end), strip.Zoom(), doc.SelStart(), doc.SelEnd())) {
            ++end;
        }
        p.fillRect(QRect(int(x), 0, int(end - x), height), colour);
        x = end;
    }
}

/// A ruler label beside column x, at the top and at the bottom, in the pen's colour.
void PaintLabelText(QPainter& p, int x, int height, const QString& label) {
    const int labelHeight = p.fontMetrics().height();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    const int left = x + kLabelIndent;
    p.drawText(QRect(left, 0, 0, labelHeight), flags, label);
    p.drawText(QRect(left, height - kLowerLabelRise, 0, labelHeight), flags, label);
}

/// The widest character a ruler label uses, in pixels of the painter's font.
int WidestLabelChar(const QFontMetrics& metrics) {
    int widest = 0;
    for (const QChar c : QStringLiteral("0123456789:.")) {
        widest = std::max(widest, metrics.horizontalAdvance(c));
    }
    return widest;
}

void PaintRulerMarks(QPainter& p, const StripState& strip, ColumnRange visible, int height) {
    p.setPen(WaveformColour::kSelection);
    for (qint64 x = visible.first; x < visible.last; ++x) {
        if (strip.ColumnHasMark(x)) {
            p.drawLine(int(x), 0, int(x), height - 1);
        }
    }
}

/// The labelled times, with a short tick where no mark's line runs.
void PaintRulerLabels(QPainter& p, const CtarnDoc& doc, const StripState& strip,
                      ColumnRange visible, int height) {
    const int zoom = strip.Zoom();
    const LabelRoom room{WidestLabelChar(p.fontMetrics()), kLabelIndent + kLabelGap};
    const RulerLabels labels =
        ChooseRulerLabels(zoom, doc.GetRecording().SampleRate(), doc.GetRecording().Frames(), room);
    const qint64 end = std::min<qint64>(doc.GetRecording().Frames(), visible.last * zoom);
    const TickSpan span = labels.Within(visible.first * zoom, end);
    // From the last label left of the window: the only one that can reach into it.
    for (qint64 i = std::max<qint64>(span.first - 1, 0); i < span.last; ++i) {
        const int x = int(labels.Frame(i) / zoom);
        if (!strip.ColumnHasMark(x)) {
            p.setPen(WaveformColour::kSelection);
            p.drawLine(x, 0, x, kTickLength - 1);
            p.drawLine(x, height - kTickLength, x, height - 1);
        }
        p.setPen(WaveformColour::kRulerText);
        PaintLabelText(p, x, height, labels.Text(i));
    }
}

/// The row of an envelope entry in a channel's lane, magnified and held inside the lane.
int EntryRow(qint16 entry, int centre, int height, int amplitude) {
    const int half = height / 4;
    const qint64 offset = qint64(entry) * height * amplitude / 131072;
    return centre - int(std::clamp<qint64>(offset, -half, half));
}

/// Fills one-pixel-wide runs of a column in the wave's colour: straight into the pixels when
/// the painter draws on an image with a plain shift (the window's picture), else through
/// the painter (a printer).
class ColumnFiller {
public:
    ColumnFiller(QPainter& p, const QColor& colour) : m_painter(p), m_colour(colour) {
        auto* image = dynamic_cast<QImage*>(p.device());
        const QTransform& t = p.transform();
        // Straight writes only for an opaque colour: a translucent one is blended by the painter.
        if (image && colour.alpha() == 255 && t.type() <= QTransform::TxTranslate &&
            (image->format() == QImage::Format_ARGB32_Premultiplied ||
             image->format() == QImage::Format_RGB32)) {
            m_image = image;
            m_dx = int(t.dx());
            m_dy = int(t.dy());
            m_clip = p.hasClipping() ? p.clipBoundingRect().toAlignedRect().translated(m_dx, m_dy)
                                     : image->rect();
            m_clip &= image->rect();
        }
    }

    /// Rows lo[k] .. hi[k] of the columns first + k (logical).
    void Fill(qint64 first, const std::vector<int>& lo, const std::vector<int>& hi) {
        const auto count = qint64(lo.size());
        if (!m_image) {
            for (qint64 k = 0; k < count; ++k) {
                m_painter.fillRect(
                    QRect(int(first + k), lo[size_t(k)], 1, hi[size_t(k)] - lo[size_t(k)] + 1),
                    m_colour);
            }
            return;
        }
        const quint32 colour = m_colour.rgba();
        uchar* const bits = m_image->bits();
        const qsizetype stride = m_image->bytesPerLine();
        // Blocks of columns a cache line wide, row by row, so that the writes run along the
        // image's rows rather than down its columns.
        constexpr qint64 kBlock = 16;
        for (qint64 b = 0; b < count; b += kBlock) {
            const qint64 end = std::min(count, b + kBlock);
            const int left = std::max(int(first + b) + m_dx, m_clip.left());
            const int right = std::min(int(first + end - 1) + m_dx, m_clip.right());
            if (left > right) {
                continue;
            }
            const int top =
                std::max(*std::min_element(lo.begin() + b, lo.begin() + end) + m_dy, m_clip.top());
            const int bottom = std::min(*std::max_element(hi.begin() + b, hi.begin() + end) + m_dy,
                                        m_clip.bottom());
            for (int y = top; y <= bottom; ++y) {
                auto* line = reinterpret_cast<quint32*>(bits + y * stride);
                const int row = y - m_dy;
                for (int x = left; x <= right; ++x) {
                    const auto k = size_t(x - m_dx - first);
                    if (lo[k] <= row && row <= hi[k]) {
                        line[x] = colour;
                    }
                }
            }
        }
    }

private:
    QPainter& m_painter;
    QColor m_colour;
    QImage* m_image = nullptr;
    int m_dx = 0;
    int m_dy = 0;
    QRect m_clip;
};

/// Draws the trace of the columns `columns` from their entries (4 per column, from
/// `entries` column entriesFirst): each column from its lowest to its highest point, reaching
/// halfway to its neighbours' nearest points so that the trace runs on unbroken.
void PaintChannel(ColumnFiller& filler, const std::vector<qint16>& entries, qint64 entriesFirst,
                  int channel, ColumnRange columns, int height, int amplitude,
                  PaintBuffers& buffers) {
    buffers.lo.resize(size_t(columns.Count()));
    buffers.hi.resize(size_t(columns.Count()));
    const int centre = (height + 2 * channel * height) / 4;
    const auto row = [&](qint64 column, int k) {
        return EntryRow(entries[size_t((column - entriesFirst) * 4 + k)], centre, height,
                        amplitude);
    };
    const qint64 entriesLast = entriesFirst + qint64(entries.size()) / 4;
    for (qint64 x = columns.first; x < columns.last; ++x) {
        int lo = row(x, 0);
        int hi = lo;
        for (int k = 1; k < 4; ++k) {
            lo = std::min(lo, row(x, k));
            hi = std::max(hi, row(x, k));
        }
        // Two neighbours reach the same middle row, so they meet.
        if (x > entriesFirst) {
            const int joint = (row(x - 1, 3) + row(x, 0)) / 2;
            lo = std::min(lo, joint);
            hi = std::max(hi, joint);
        }
        if (x + 1 < entriesLast) {
            const int joint = (row(x, 3) + row(x + 1, 0)) / 2;
            lo = std::min(lo, joint);
            hi = std::max(hi, joint);
        }
        buffers.lo[size_t(x - columns.first)] = lo;
        buffers.hi[size_t(x - columns.first)] = hi;
    }
    filler.Fill(columns.first, buffers.lo, buffers.hi);
}

/// Cue i's box with its shadow and its numbered text, at its span or where it is dragged.
void PaintCueBox(QPainter& p, const CueList& cues, int i, int curCue, ColumnRange visible,
                 const PaintArea& area, const QColor& shadow, int zoom, CueLabels& labels) {
    const bool moved = i == area.movedCue;
    const std::optional<CueBoxRect> box =
        CueBox(moved ? area.movedStart : cues.Start(i), moved ? area.movedEnd : cues.End(i),
               cues.Overlap(i), zoom, area.height, visible);
    if (!box) {
        return;
    }
    const QRect rect(box->left, box->top, box->right - box->left, box->bottom - box->top);
    p.setPen(QPen(shadow, 0));
    p.setBrush(shadow);
    p.drawRoundedRect(rect.translated(kShadowOffset, kShadowOffset), kBoxCorner, kBoxCorner);

    const bool current = i == curCue;
    const bool placeholder = IsPlaceholderText(cues.Text(i));
    const QColor fill = current       ? WaveformColour::kCurrentCue
                        : placeholder ? WaveformColour::kPlaceholder
                                      : WaveformColour::kCue;
    p.setPen(QPen(current ? WaveformColour::kCurrentCue : WaveformColour::kCue, 0));
    p.setBrush(fill);
    p.drawRoundedRect(rect, kBoxCorner, kBoxCorner);

    if (area.flagged && area.flagged(i)) {
        // A cue that breaks a timing rule: a red corner the text does not hide.
        p.setPen(Qt::NoPen);
        p.setBrush(WaveformColour::kBrokenRule);
        p.drawRect(rect.right() - 5, rect.top() + 1, 5, 5);
    }
    p.setPen(current ? WaveformColour::kCurrentCueText : WaveformColour::kCueText);
    const QRect textRect(rect.left() + 2, rect.top(), rect.width() - 4, rect.height());
    if (textRect.width() <= 0 || textRect.height() <= 0) {
        return;
    }
    // Laid out once per text, width and font, then only drawn: laying out is most of a box's
    // cost.
    const QString text = QString::number(i + 1) + QChar('.') + cues.Text(i);
    const QString key =
        text + QChar(0x1F) + QString::number(textRect.width()) + QChar(0x1F) + p.font().key();
    auto label = labels.find(key);
    if (label == labels.end()) {
        if (labels.size() > kMostLabels) {
            labels.clear();
        }
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setTextWidth(textRect.width());
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setWrapMode(QTextOption::WordWrap);
        laid.setTextOption(option);
        laid.prepare(QTransform(), p.font());
        label = labels.emplace(key, std::move(laid)).first;
    }
    p.save();
    p.setClipRect(textRect, Qt::IntersectClip);
    p.drawStaticText(textRect.topLeft(), label->second);
    p.restore();
}

/// The boxes of the cues near the window, in list order (a later box over an earlier one),
/// with a dragged cue from elsewhere in its place in that order.
void PaintCues(QPainter& p, const CtarnDoc& doc, const StripState& strip, int curCue,
               ColumnRange visible, ColumnRange drawn, const PaintArea& area, const QColor& shadow,
               CueLabels& labels) {
    const CueList& cues = doc.Cues();
    const int zoom = strip.Zoom();
    // Boxes are at least two columns wide and their shadows fall right: a cue may show a
    // little past its last column. Boxes are laid out in the whole window's columns.
    const auto [first, last] =
        cues.CuesNear((drawn.first - 3 - kShadowOffset) * zoom, drawn.last * qint64(zoom));
    const int moved = cues.IsValidIndex(area.movedCue) ? area.movedCue : -1;
    if (moved >= 0 && moved < first) {
        PaintCueBox(p, cues, moved, curCue, visible, area, shadow, zoom, labels);
    }
    for (int i = first; i < last; ++i) {
        PaintCueBox(p, cues, i, curCue, visible, area, shadow, zoom, labels);
    }
    if (moved >= last) {
        PaintCueBox(p, cues, moved, curCue, visible, area, shadow, zoom, labels);
    }
}

/// The lanes as spectrograms where their tiles are ready; the columns whose tiles are not
/// (in either lane) are returned, to be drawn as the waveform meanwhile.
std::vector<ColumnRange> PaintSpectrogram(QPainter& p, const StripState& strip, ColumnRange drawn,
                                          const PaintArea& area) {
    std::vector<ColumnRange> missing;
    const int laneHeight = area.height / 2;
    if (laneHeight <= 0) {
        return missing;
    }
    const qint64 firstTile = drawn.first / kSpectrogramTileColumns;
    const qint64 lastTile = (drawn.last - 1) / kSpectrogramTileColumns;
    for (qint64 tile = firstTile; tile <= lastTile && drawn.Count() > 0; ++tile) {
        const qint64 left = tile * kSpectrogramTileColumns;
        bool ready = true;
        for (int channel = 0; channel < 2; ++channel) {
            const TileKey key{channel, strip.Zoom(), tile, laneHeight, area.logFrequency};
            const std::vector<quint32>* pixels = area.spectrogram->Tile(key);
            if (!pixels) {
                ready = false;
                continue;
            }
            const QImage image(
                reinterpret_cast<const uchar*>(pixels->data()), kSpectrogramTileColumns, laneHeight,
                kSpectrogramTileColumns * qsizetype(sizeof(quint32)), QImage::Format_RGB32);
            p.drawImage(QPoint(int(left), channel * laneHeight), image);
        }
        if (!ready) {
            missing.push_back({std::max(left, drawn.first),
                               std::min(left + kSpectrogramTileColumns, drawn.last)});
        }
    }
    return missing;
}

} // namespace

void PaintWaveform(QPainter& painter, const CtarnDoc& doc, const StripState& strip, int curCue,
                   const PaintArea& area, const QColor& shadow, PaintBuffers& buffers) {
    if (strip.StripColumns() == 0) {
        return;
    }
    const ColumnRange visible = VisibleColumns(area.x0, area.width, strip.StripColumns());
    ColumnRange drawn = visible;
    if (area.dirty) {
        drawn = {std::max(visible.first, area.dirty->first),
                 std::max(std::max(visible.first, area.dirty->first),
                          std::min(visible.last, area.dirty->last))};
    }
    painter.save();
    painter.translate(-area.x0, 0);
    painter.setClipRect(QRect(int(drawn.first), 0, drawn.Count(), area.height));
    painter.setBackgroundMode(Qt::TransparentMode);
    // The columns the waveform is drawn in, and in which colour.
    std::vector<ColumnRange> waved = {drawn};
    QColor waveColour = WaveformColour::kWave;
    if (area.spectrogram) {
        std::vector<ColumnRange> missing = PaintSpectrogram(painter, strip, drawn, area);
        PaintSelection(painter, doc, strip, drawn, area.height,
                       WaveformColour::kSelectionOverSpectrogram);
        if (area.waveOverSpectrogram) {
            waveColour = WaveformColour::kWaveOverSpectrogram;
        } else {
            waved = std::move(missing);
        }
    } else {
        PaintSelection(painter, doc, strip, drawn, area.height, WaveformColour::kSelection);
    }
    PaintRulerMarks(painter, strip, drawn, area.height);
    PaintRulerLabels(painter, doc, strip, visible, area.height);
    ColumnFiller filler(painter, waveColour);
    for (const ColumnRange& columns : waved) {
        // One column more on each side: the trace reaches halfway to its neighbours.
        const ColumnRange traced{std::max(visible.first, columns.first - 1),
                                 std::min(visible.last, columns.last + 1)};
        for (int channel = 0; channel < 2; ++channel) {
            strip.BuildEnvelope(channel, traced.first, traced.Count(), buffers.entries);
            PaintChannel(filler, buffers.entries, traced.first, channel, columns, area.height,
                         std::clamp(area.amplitude, 1, 64), buffers);
        }
    }
    PaintCues(painter, doc, strip, curCue, visible, drawn, area, shadow, buffers.labels);
    painter.restore();
}
