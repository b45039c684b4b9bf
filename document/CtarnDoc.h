#pragma once

#include "audio/SilentWaveOut.h"
#include "document/FrameRange.h"
#include "document/Host.h"
#include "document/SecondMarkTrack.h"
#include "document/WaveHeader.h"
#include "document/WaveWriter.h"
#include "subtitles/CueList.h"

#include <QObject>
#include <QString>

#include <vector>

/// The one document of the program: an opened PCM WAV recording held as two 16-bit channel
/// arrays with what its file carried besides, the display envelopes derived from them, the
/// selection, the cues and the sample clipboard. Every message goes through the Host.
///
/// The view reads the fields directly; whoever changes the samples or the zoom calls
/// BuildAllEnvelopes before the next paint.
class CtarnDoc : public QObject {
    Q_OBJECT

public:
    /// Zoom after opening a file, in frames per column.
    static constexpr int kOpenedZoom = 256;

    /// Sound goes to `output`, or nowhere when it is null.
    explicit CtarnDoc(Host& host, WaveOut* output = nullptr, QObject* parent = nullptr);
    ~CtarnDoc() override;

    // Lifecycle. A failed open shows its message and changes nothing.
    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    /// Writes the whole recording to `path`, then the .txt, .sbv and .ass sidecars beside it,
    /// each failure with its own message while the others are still written. The document
    /// takes the path once its WAV is written and is no longer modified when all four are.
    bool OnSaveDocument(const QString& path);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    /// Full path of the open file, empty for a new document.
    const QString& GetPathName() const { return m_strPathName; }
    /// File name of the open file, "noname" for a new document.
    QString GetTitle() const;

    /// Marks every frame that is a whole second from the start.
    void BuildSecondMarks();
    /// Rebuilds both channel envelopes and the mark envelope at the current zoom.
    void BuildAllEnvelopes();
    /// Rebuilds the mark envelope alone (after the mark period changed).
    void BuildMarkEnvelope();

    /// Writes frames between a and b (either order, clamped) to `path` as a 16-bit stereo
    /// WAV file, replacing the file only when the new one is complete.
    /// Shows "write file error <path>" and returns false when it cannot.
    bool WriteWaveFile(const QString& path, int a, int b);
    /// Asks for a path and writes the selection there ("Save clip").
    void OnSaveClip();

    // Cue sidecars; each shows its own message when the file cannot be written.
    bool WriteCueTxt(const QString& path);
    bool WriteCueSbv(const QString& path);
    bool WriteCueAss(const QString& path);

    /// "Save Vorn": every pair of cues as k.wav, k"v.wav" and k.txt, k counting up from the
    /// number the chosen file name begins with.
    void OnSaveVorn();
    /// "Save Vorn(2)": every cue as k.wav and k.txt.
    void OnSaveVorn2();
    /// Writes the text of an exported clip; shows "open file error <path>" when it cannot.
    void WriteClipText(const QString& path, const QString& text);

    /// Multiplies the selected samples by k / 10, saturating at the 16-bit limits
    /// (k = 9 lowers the volume, k = 11 raises it).
    void ScaleSelection(int k);
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();

    /// Plays frames between a and b (either order, clamped into the recording) as one 16-bit
    /// stereo buffer, stopping what was playing; an empty range plays the whole recording.
    /// On success m_nPlayStart, m_nPlayEnd and m_dwPlayTick record what started when.
    void PlayRange(int a, int b);
    /// Plays the selection ("Play").
    void OnPlay();
    /// Whether the output device is open (it stays open between plays).
    bool IsDeviceOpen() const { return m_hWaveOut != nullptr; }

    /// The selection as the edits take it: clamped, an inverted one empty at its start.
    FrameRange SelectionForEdit() const;
    Host& GetHost() const { return m_host; }

    /// Tells the views to refresh: hint 0 after new/open (the cue list was replaced, so no cue
    /// is current any more), hint 1 after cut and paste.
    void UpdateAllViews(int hint);

signals:
    void viewsUpdateRequested(int hint);
    void modifiedChanged(bool modified);

public:
    WaveHeader m_header;
    QByteArray m_fmtExtra; ///< fmt body bytes beyond the first 16
    QByteArray m_factData; ///< fact body, empty when absent
    QByteArray m_listData; ///< LIST body, empty when absent
    qint64 m_nRawSize = 0; ///< bytes of the data chunk as read

    std::vector<qint16> m_pSamples[2]; ///< left, right; m_nSamples values each
    int m_nSamples = 0;
    SecondMarkTrack m_secondMarks;
    std::vector<qint16> m_pEnvelope[2];
    std::vector<qint16> m_pMarkEnvelope;
    /// Entries of each envelope; 0 when any of them could not be built.
    int m_nEnvelopeLen = 0;
    int m_nZoom = 1; ///< frames per column
    int m_nSelStart = 0;
    int m_nSelEnd = 0;

    CueList m_cues;

    std::vector<qint16> m_pClipLeft;
    std::vector<qint16> m_pClipRight;
    int m_nClipLen = 0;

    WaveOutFormat m_wfx;
    WaveOutBuffer m_waveHdr;
    QByteArray m_pPlayBuffer;
    bool m_bHdrPrepared = false;
    int m_nPlayStart = 0;     ///< first frame of the range playing
    int m_nPlayEnd = 0;       ///< its end; equal to m_nPlayStart when no cursor is shown
    quint32 m_dwPlayTick = 0; ///< host tick taken when the play started

private:
    WaveFormatData FormatData() const;
    /// Writes frames between a and b to `path` without telling anyone when it fails.
    bool SaveWave(const QString& path, int a, int b);
    /// Asks for the export target; the folder (with its "/") and the first number.
    std::optional<std::pair<QString, qint64>> AskExportTarget();
    /// Writes every cue, or every pair of cues, as numbered clips with their texts.
    void ExportClips(bool pairs);

    /// Closes the output device after stopping it.
    void CloseDevice();

    Host& m_host;
    SilentWaveOut m_silentOutput;
    WaveOut& m_output;
    WaveOut* m_hWaveOut = nullptr; ///< m_output while it is open
    WaveOutFormat m_openFormat;    ///< what the device was opened for
    QString m_strPathName;
    bool m_bModified = false;
};
