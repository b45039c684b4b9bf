#pragma once

#include <QObject>

#include <vector>

class CtarnDoc;
class Recording;

/// What a view of the document's recording shows: the zoom (frames per column), the ruler's
/// mark period, the scroll position and the window's width, all in columns of the strip. It
/// belongs to the view; the commands that zoom or scroll change it here and the view follows.
/// It starts over when the document is replaced and marks whole seconds again after a paste.
class StripState : public QObject {
    Q_OBJECT

public:
    /// Zoom after opening a file, in frames per column.
    static constexpr int kOpenedZoom = 256;

    explicit StripState(const CtarnDoc& doc, QObject* parent = nullptr);

    /// Frames per column, 1 to 4096.
    int Zoom() const { return m_nZoom; }
    /// Sets the zoom (clamped to 1 .. 4096). Above 1024 frames per column the ruler marks
    /// every (zoom / 1024) seconds; at or below, the last period stays.
    void SetZoom(int zoom);
    /// Frames between ruler marks (0: none).
    qint64 MarkPeriod() const { return m_nMarkPeriod; }
    /// Marks every whole second again.
    void BuildSecondMarks();

    /// Columns of the strip at the current zoom (0 for an empty recording).
    qint64 StripColumns() const;
    /// Envelope entries of `channel` for columns firstColumn .. firstColumn + count - 1 at the
    /// current zoom, four per column, into out (resized to 4 * count).
    void BuildEnvelope(int channel, qint64 firstColumn, int count, std::vector<qint16>& out) const;
    /// Whether column `column` at the current zoom holds a ruler mark.
    bool ColumnHasMark(qint64 column) const;

    /// The column at the window's left edge.
    int ScrollPos() const { return m_nScrollPos; }
    /// Scrolls so that column `pos` is at the left edge (the view clamps it to the strip).
    void SetScrollPos(int pos);
    /// Width of the window, in columns.
    int Width() const { return m_nWidth; }
    void SetWidth(int width) { m_nWidth = width; }

    /// How many times the waveform's height is magnified: 1, 2, 4 ... kMaxAmplitude.
    static constexpr int kMaxAmplitude = 64;
    int Amplitude() const { return m_nAmplitude; }
    /// Sets the magnification (held to a power of two from 1 to kMaxAmplitude, rounded down).
    void SetAmplitude(int amplitude);

signals:
    void zoomChanged();
    void amplitudeChanged();
    void scrollPosChanged(int pos);

private:
    /// Starts over for a replaced recording: 1 frame per column for a new document, else
    /// kOpenedZoom; marks every second; scrolled to the start.
    void Reset(bool opened);
    const Recording& m_recording;
    int m_nZoom = 1;
    qint64 m_nMarkPeriod = 0;
    int m_nScrollPos = 0;
    int m_nWidth = 0;
    int m_nAmplitude = 1;
};
