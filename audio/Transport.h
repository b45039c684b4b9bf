#pragma once

#include "audio/EdgePlay.h"
#include "audio/Player.h"

#include <QObject>

class CtarnDoc;
class Host;

/// Playing the document: the player and its record of what sounds since when, the speed every
/// play starts at and whether plays of the selection loop. It lets go of the channel arrays
/// whenever the document is about to change them, and announces every start and stop and
/// every change of speed.
class Transport : public QObject {
    Q_OBJECT

public:
    /// Sound goes to `output`, or nowhere when it is null.
    Transport(const CtarnDoc& doc, Host& host, WaveOut* output = nullptr,
              QObject* parent = nullptr);

    /// Plays frames between a and b (either order, clamped into the recording) once at the
    /// speed, streamed as 16-bit stereo, stopping what was playing; an empty range plays the
    /// whole recording.
    void PlayRange(int a, int b);
    /// Plays the selection ("Play"), over and over while looping is on.
    void OnPlay();
    /// Stops the sound and the cursor at once ("Stop").
    void OnStop();
    /// Space: plays the selection, or stops while a play is sounding.
    void OnPlayOrStop();
    /// Plays one of the short stretches around the selection's edges; nothing when the
    /// stretch is empty.
    void PlayEdge(EdgePlay edge);
    /// Ends the play cursor once its range has elapsed.
    void EndPlayCursor();

    /// Whether a play is sounding (its cursor is shown).
    bool IsPlaying() const { return m_player.Record().IsShowing(); }
    /// What is playing since when; start == end when no cursor is shown.
    const PlayRecord& PlayState() const { return m_player.Record(); }
    const Player& GetPlayer() const { return m_player; }
    /// Whether the output device is open (it stays open between plays).
    bool IsDeviceOpen() const { return m_player.IsDeviceOpen(); }

    /// The speed plays start at, in tenths of the recorded pace.
    int SpeedTenths() const { return m_speedTenths; }
    /// Sets the speed, clamped between the slowest and the fastest: a play under way goes on
    /// from where it is at the new speed (a loop starts its range over).
    void SetSpeedTenths(int tenths);
    /// Whether plays of the selection start over at its end until stopped.
    bool IsLooping() const { return m_looping; }
    /// Turns looping on or off for the plays of the selection that start from now on.
    void SetLooping(bool looping) { m_looping = looping; }

signals:
    /// A play started or stopped, or its range elapsed.
    void playStateChanged();
    /// The speed of the next plays changed.
    void speedChanged(int tenths);

private:
    void Play(int a, int b, bool looping);

    const CtarnDoc& m_doc;
    Host& m_host;
    Player m_player;
    int m_speedTenths = PlaySpeed::kNormal;
    bool m_looping = false;
};
