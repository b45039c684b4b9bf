#pragma once

#include "base/FrameRange.h"
#include "base/Host.h"
#include "document/DocumentChanges.h"
#include "document/DocumentFile.h"
#include "document/History.h"
#include "recording/AudioDecoder.h"
#include "recording/Recording.h"
#include "subtitles/CueList.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

/// The one document of the program: the recording of the open file, its cues, the
/// selection, the current cue, the undo history and the file it came from. Every message
/// goes through the Host. Every change of the samples or the cues is one step of the
/// history, and the modified flag follows it. Each change is announced by the signal that
/// names it, with what it touched; readers use the const accessors.
class CtarnDoc : public QObject {
    Q_OBJECT

public:
    explicit CtarnDoc(Host& host, QObject* parent = nullptr);

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
    /// The file the document came from.
    const DocumentFile& File() const { return m_file; }

    const Recording& GetRecording() const { return m_recording; }

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

    /// Multiplies the selected samples by k / 10, saturating at the 16-bit limits
    /// (k = 9 lowers the volume, k = 11 raises it).
    void ScaleSelection(int k);
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    /// Writes the frames between a and b (either order, clamped) to `path` as a 16-bit stereo
    /// WAV file, replacing the file only when the new one is complete; false when it cannot.
    /// The recording keeps the stereo channel count it was written with.
    bool SaveWave(const QString& path, int a, int b);

    /// Undoes the last step: the samples, the cues, the selection and the current cue are
    /// again as they were before it. Nothing when there is nothing to undo.
    void OnEditUndo();
    /// Does the last undone step again.
    void OnEditRedo();
    const History& GetHistory() const { return m_history; }
    /// Does a sample edit of an earlier session again, as the step it was (recovery).
    void ReplayEdit(const ReplayOp& op);

signals:
    /// A new, opened or decoded recording took the place of the old one, with its own cues;
    /// no cue is current.
    void documentReplaced();
    /// The samples are about to change or be replaced: whatever reads the channel arrays
    /// (a play) lets go of them now.
    void samplesAboutToChange();
    void samplesChanged(const SampleChange& change);
    void cuesChanged(const CueChange& change);
    /// The selection changed (a click, a drag, an edit, undo or redo).
    void selectionChanged();
    /// A cue was made current (or none), by a command, an undo or a redo; sent also when it
    /// already was, so that a view can bring it into sight again. After an undo or a redo it
    /// comes last, once everything else has been told.
    void currentCueChanged(int index);
    void historyChanged(HistoryChange change);
    void modifiedChanged(bool modified);

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
    /// Tells everyone after an undo or a redo.
    void Exchanged(HistoryChange change);
    /// Puts `frames` in place of `range` as the step `name` (cut, paste) and moves the cues;
    /// `frames` receives what was replaced.
    void ReplaceFrames(const QString& name, FrameRange range, SampleVector (&frames)[2],
                       ReplayOp replay);
    /// A current cue that a change removed is current no more.
    void DropLostCurrentCue();
    /// Takes the modified flag from the history (and the mark) and tells when it changed.
    void UpdateModified();
    /// Starts a history for a new or opened recording, capped at a quarter of its size.
    void ResetHistory();
    /// Takes a recording that was read whole, with its cues, as the open document at `path`
    /// (empty for one decoded from `importSource`).
    void Adopt(WaveFormatData format, ChannelSamples samples, std::vector<Cue> cues,
               const QString& path, const QString& importSource);

    Host& m_host;
    Recording m_recording;
    CueList m_cues;
    History m_history;
    DocumentFile m_file;
    int m_nCurCue = -1;
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
    bool m_bModified = false;
    bool m_bMarkedModified = false; ///< modified whatever the history says
};
