#pragma once

#include <QWidget>

#include <vector>

class CtarnDoc;
class StripState;

/// The whole recording in one strip above the waveform: its envelope, the cues as marks and
/// the window's stretch as a frame. A click or a drag there brings that stretch into the
/// window. A paint costs one envelope column per pixel, whatever the recording's length.
class COverview : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 48;

    COverview(const CtarnDoc& doc, StripState& strip, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    /// Frames per pixel column: the whole recording across the width.
    qint64 FramesPerColumn() const;
    /// Centres the window on the frame under x.
    void CentreOn(int x);

    const CtarnDoc& m_doc;
    StripState& m_strip;
    /// What a paint computes into, kept so that painting allocates nothing.
    std::vector<qint16> m_entries;
    std::vector<int> m_reach;
};
