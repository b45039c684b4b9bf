#pragma once

#include "audio/EdgePlay.h"
#include "audio/Player.h"
#include "base/FrameRange.h"
#include "base/Host.h"
#include "document/History.h"
#include "recording/AudioDecoder.h"
#include "recording/Recording.h"
#include "subtitles/CueList.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

/// The one document of the program: the recording of the open file, its cues, the
/// selection, the current cue, the zoom and the ruler's mark period, the undo history and
/// the player. Every message goes through the Host. Every change of the samples or the cues
/// is one step of the history, and the modified flag follows it. Views read it through the const
/// accessors and change it through its operations; drawing data is computed for the columns asked
/// for, never for the whole file.
class CtarnDoc : public QObject {
    Q_OBJECT

public:
    /// Zoom after opening a file, in frames per column.
    static constexpr int kOpenedZoom = 256;

    /// Sound goes to `output`, or nowhere when it is null.
    explicit CtarnDoc(Host& host, WaveOut* output = nullptr, QObject* parent = nullptr);

    // Lifecycle. A failed open shows its message and changes nothing.
    bool OnNewDocument();
    /// A WAV file whose data is shorter than its header says opens with the frames that are
    /// there, and a status line tells how many were read.
    bool OnOpenDocument(const QString& path);
    /// Decodes `source` through `decoder` on a second thread while the host shows progress,
    /// then takes it with the cues of the source's sidecar, titled "<name> (imported)" and
    /// without a path of its own, so that a save never overwrites the source. Cancel leaves
    /// the document as it was.
    bool OnImportDocument(const QString& source, AudioDecoder& decoder);
    /// Writes the whole recording to `path`, then the .txt, .sbv and .ass sidecars beside it,
    /// each failure with its own message while the others are still written. The document
    /// takes the path once its WAV is written and is no longer modified when all four are.
    bool OnSaveDocument(const QString& path);

    /// Whether the state differs from the one last saved or opened (or was marked so).
    bool IsModified() const { return m_bModified; }
    /// false: the current state is the saved one; true: modified whatever the history says.
    void SetModifiedFlag(bool modified = true);
    /// Full path of the open file, empty for a new document.
    const QString& GetPathName() const { return m_strPathName; }
    /// Size in bytes and modification time (ms since the epoch) of SourcePath() when it was
    /// opened or last saved: what a recovery record checks the file against.
    qint64 SourceSize() const { return m_nSourceSize; }
    qint64 SourceModified() const { return m_nSourceModified; }
    /// Full path of the file decoded into the document, empty unless it was imported and
    /// not saved since.
    const QString& ImportSource() const { return m_strImportSource; }
    /// The file the document came from: the decoded source until it is saved, else the open
    /// file; empty for a new document.
    const QString& SourcePath() const {
        return m_strImportSource.isEmpty() ? m_strPathName : m_strImportSource;
    }
    /// The folder of SourcePath(), where the file dialogs start; empty for a new document.
    QString SourceFolder() const;
    /// File name of the open file, "<name> (imported)" for a decoded one not saved yet,
    /// "noname" for a new document.
    QString GetTitle() const;

    const Recording& GetRecording() const { return m_recording; }
    /// Frames of the recording.
    int Frames() const { return m_recording.Frames(); }
    qint32 SampleRate() const { return m_recording.SampleRate(); }
    const CueList& Cues() const { return m_cues; }
    /// Changes the cue list as one step of the history named `name` ("Add Subtitle"); a
    /// change that leaves the list as it was is no step. `change` keeps the list sorted.
    void ChangeCues(const QString& name, const std::function<void(CueList&)>& change);
    /// ChangeCues for a command that leaves a cue current: `change` returns its index (-1 for
    /// none), which becomes current, and the step keeps it so that a redo makes it current
    /// again. Returns that index.
    int ChangeCuesToCurrent(const QString& name, const std::function<int(CueList&)>& change);
    /// Takes `cues` as the cue list the recording came with: no step, no current cue, and the
    /// history starts anew from here.
    void LoadCues(std::vector<Cue> cues);
    /// Index of the current cue, -1 for none.
    int CurrentCue() const { return m_nCurCue; }
    /// Makes cue `index` current (-1: none) and says so, also when it already was.
    void SetCurrentCue(int index);

    int SelStart() const { return m_nSelStart; }
    int SelEnd() const { return m_nSelEnd; }
    /// Sets the selection, each end clamped into the recording (0 .. Frames()). The ends are
    /// kept in the order given: an end before the start is an empty selection for the edits.
    void SetSelection(qint64 start, qint64 end);
    /// The selection as the edits take it: clamped, an inverted one empty at its start.
    FrameRange SelectionForEdit() const;

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

    /// Writes frames between a and b (either order, clamped) to `path` as a 16-bit stereo
    /// WAV file, replacing the file only when the new one is complete.
    /// Shows "write file error <path>" and returns false when it cannot.
    bool WriteWaveFile(const QString& path, int a, int b);
    /// Asks for a path and writes the selection there ("Save clip").
    void OnSaveClip();
    /// "Save Vorn": every pair of cues as k.wav, k"v.wav" and k.txt, k counting up from the
    /// number the chosen file name begins with.
    void OnSaveVorn();
    /// "Save Vorn(2)": every cue as k.wav and k.txt.
    void OnSaveVorn2();

    /// Multiplies the selected samples by k / 10, saturating at the 16-bit limits
    /// (k = 9 lowers the volume, k = 11 raises it).
    void ScaleSelection(int k);
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    /// Frames on the sample clipboard.
    int ClipLength() const { return m_recording.ClipLength(); }

    /// Undoes the last step: the samples, the cues, the selection and the current cue are
    /// again as they were before it. Nothing when there is nothing to undo.
    void OnEditUndo();
    /// Does the last undone step again.
    void OnEditRedo();
    const History& GetHistory() const { return m_history; }
    /// Does a sample edit of an earlier session again, as the step it was (recovery).
    void ReplayEdit(const ReplayOp& op);

    /// Plays frames between a and b (either order, clamped into the recording), streamed as
    /// 16-bit stereo, stopping what was playing; an empty range plays the whole recording.
    /// An edit of the samples stops the play first.
    void PlayRange(int a, int b);
    /// Plays the selection ("Play").
    void OnPlay();
    /// Stops the sound and the cursor at once ("Stop").
    void OnStop();
    /// Space: plays the selection, or stops while a play is sounding.
    void OnPlayOrStop();
    /// Plays one of the short stretches around the selection's edges; nothing when the
    /// stretch is empty.
    void PlayEdge(EdgePlay edge);
    /// Whether a play is sounding (its cursor is shown).
    bool IsPlaying() const { return m_player.Record().IsShowing(); }
    const Player& GetPlayer() const { return m_player; }
    /// What is playing since when; start == end when no cursor is shown.
    const PlayRecord& PlayState() const { return m_player.Record(); }
    /// Ends the play cursor once its range has elapsed.
    void EndPlayCursor();
    /// Whether the output device is open (it stays open between plays).
    bool IsDeviceOpen() const { return m_player.IsDeviceOpen(); }

    Host& GetHost() const { return m_host; }

    /// Tells the views to refresh: hint 0 after new/open (the cue list was replaced, so no cue
    /// is current any more), hint 1 after cut and paste.
    void UpdateAllViews(int hint);

signals:
    void viewsUpdateRequested(int hint);
    /// A step was done, undone or redone, or the history started anew.
    void historyChanged();
    void modifiedChanged(bool modified);
    /// The selection changed (a click, a drag, an edit, undo or redo).
    void selectionChanged();
    /// A cue was made current (or none), by a command, an undo or a redo; sent also when it
    /// already was, so that a view can bring it into sight again.
    void currentCueSet();
    /// A play started or stopped, or its range elapsed.
    void playStateChanged();

private:
    /// A step named `name` that starts from the selection and the current cue as they are.
    EditStep StartStep(const QString& name) const;
    /// Adds a finished step to the history.
    void PushStep(EditStep step);
    /// Adds `step` with the cues that differ from `before`; no step when none do.
    void PushCueStep(EditStep step, const std::vector<Cue>& before);
    /// Exchanges what the step holds with the document (undo and redo alike); false, with a
    /// message and nothing changed, when the samples do not fit in memory.
    bool Exchange(EditStep& step);
    /// Tells everyone after an undo or a redo: the flag, the history, the views.
    void Exchanged();
    /// Puts `frames` in place of `range` as the step `name` (cut, paste) and moves the cues;
    /// `frames` receives what was replaced.
    void ReplaceFrames(const QString& name, FrameRange range, SampleVector (&frames)[2],
                       ReplayOp replay);
    /// Stops a play before the samples change under it.
    void StopBeforeSampleChange();
    /// Takes the modified flag from the history (and the mark) and tells when it changed.
    void UpdateModified();
    /// Starts a history for a new or opened recording, capped at a quarter of its size.
    void ResetHistory();
    /// Takes the size and time of the file at the document's path.
    void NoteSource();
    /// Takes a recording that was read whole, with its cues, as the open document at `path`
    /// (empty for one decoded from `importSource`).
    void Adopt(WaveFormatData format, ChannelSamples samples, std::vector<Cue> cues,
               const QString& path, const QString& importSource);

    Host& m_host;
    Recording m_recording;
    CueList m_cues;
    History m_history;
    Player m_player;
    int m_nCurCue = -1;
    int m_nZoom = 1;
    qint64 m_nMarkPeriod = 0;
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    QString m_strPathName;
    QString m_strImportSource;
    qint64 m_nSourceSize = 0;
    qint64 m_nSourceModified = 0;
    bool m_bModified = false;
    bool m_bMarkedModified = false; ///< modified whatever the history says
};
