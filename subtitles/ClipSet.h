#pragma once

#include "recording/ClipEncoder.h"
#include "recording/StillGrabber.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CueList;
class Recording;
struct Cue;

// A study-clip set: every chosen cue as its own file, named by a pattern, with a little
// audio around it, in a chosen format, and an index a flashcard program imports.

/// The largest first number and padding (in ms) the dialog and tarn-cli take, both from 0:
/// far from where a clip's number or its padded frames would overflow.
constexpr int kMaxClipStartNumber = 999999;
constexpr int kMaxClipPadMs = 10000;
/// Which cues become clips.
enum class ClipCues { All, Current, Selection };

struct ClipSetOptions {
    QString folder;
    /// Fields: {n} (the clip's number; {n:03} padded to 3 digits), {text} (the cue's first
    /// line, made safe for file names), {start} (h-mm-ss.mmm of the cue's start), {base}
    /// (the recording's name without extension).
    QString pattern = QStringLiteral("{base} {n:03} {text}");
    int startNumber = 1;
    ClipCues cues = ClipCues::All;
    /// Placeholder cues ("#" first) are left out unless this is set.
    bool placeholders = false;
    int padBeforeMs = 150;
    int padAfterMs = 250;
    /// A 10 ms fade in at the start and out at the end of each clip.
    bool fade = false;
    ClipFormat format = ClipFormat::Wav;
    /// Each clip's peak raised or lowered to -1 dBFS.
    bool normalize = false;
    /// Each clip's integrated loudness (LUFS) brought to this, in place of `normalize`;
    /// nothing: the peak rule when `normalize`.
    std::optional<double> loudnessLufs;
    /// The index file's path (DefaultClipIndexPath offers one); empty: no index.
    QString indexPath;
    /// Runs of consecutive chosen cues with gaps of at most this many milliseconds become one
    /// clip (texts joined by a line break, named by the first cue); 0: every cue its own clip.
    int joinGapMs = 0;
    /// Index columns with the texts of the cues before and after each clip.
    bool context = false;
    /// A subtitle file whose cues give each clip's translation; empty: none.
    QString translationPath;
    /// A still of the source's picture at the middle of each clip's cues, `stillHeight` high,
    /// named like the clip.
    bool stills = false;
    int stillHeight = 360;
    /// A deck package beside the index, with the clips as notes of the deck `deckName`;
    /// empty: none.
    QString deckPath;
    QString deckName;
};

/// The longest file name a clip set gives, in bytes of UTF-8: flashcard programs drop longer
/// media names.
constexpr int kMaxClipNameBytes = 119;
/// The extension of the stills.
inline const QString kStillExtension = QStringLiteral("jpg");
/// The shortest and tallest still the dialog and tarn-cli take, in pixels.
constexpr int kMinStillHeight = 32;
constexpr int kMaxStillHeight = 2160;

/// Where the index goes unless the user says otherwise: "index.tsv" in the folder.
QString DefaultClipIndexPath(const QString& folder);

/// One clip of the set, as planned before anything is written.
struct PlannedClip {
    int number = 0;
    QString fileName; ///< file name in the folder, extension included, unique in the set
    int cueStart = 0; ///< the cue's own frames
    int cueEnd = 0;
    int start = 0; ///< the frames written: the cue with its padding, clamped to the recording
    int end = 0;
    QString text; ///< the cue's whole text (the texts of joined cues, a line break between)
    QString contextBefore = {}; ///< the text of the cue before, when asked for
    QString contextAfter = {};  ///< the text of the cue after
    QString translation = {};   ///< the translation's texts that overlap the cues, "<br>" between
    QString stillName = {};     ///< the still's file name, when stills are asked for
};

/// The file-name form of a cue's text: its first line without / \ : * ? " < > | and control
/// characters, without trailing dots and blanks, at most 60 characters.
QString SafeFileText(const QString& cueText);
/// The pattern with its fields filled in (no extension).
QString ExpandClipPattern(const QString& pattern, int number, const QString& cueText,
                          qint64 startFrame, qint32 rate, const QString& base);

/// The clips of the set in cue order: the chosen cues (all, the current one, those that
/// overlap selStart..selEnd), runs of them joined when options.joinGapMs says so, numbered
/// from options.startNumber, names from the pattern with " (2)", " (3)" ... for names already
/// taken and cut at a character to kMaxClipNameBytes (the stills' names too), padding clamped
/// to 0..frames; with the neighbours' texts when options.context.
std::vector<PlannedClip> PlanClipSet(const CueList& cues, const ClipSetOptions& options,
                                     int selStart, int selEnd, int currentCue, int frames,
                                     qint32 rate, const QString& base);

/// A cue text as one field of an index or a note: HTML (& < > " escaped), its line breaks as
/// <br>, tabs as blanks.
QString ClipFieldHtml(const QString& text);

/// Gives each clip the texts of `translation` (cues in frames, in order) whose spans overlap
/// the clip's cue span by at least half of the shorter of the two, in order, "<br>" between.
void AddClipTranslations(std::vector<PlannedClip>& plan, const std::vector<Cue>& translation);

/// The files of the plan (clips and index) that exist already, as full paths.
QStringList ExistingClipFiles(const std::vector<PlannedClip>& plan, const ClipSetOptions& options);

/// The index: UTF-8 TSV, one row per clip: number, file, start, end (h:mm:ss.mmm of the
/// cue), text (line breaks as <br>, tabs as blanks, & < > " as HTML entities), [sound:FILE].
/// Two lines "#separator:tab" and "#html:true" come first, so that a flashcard program takes
/// the rows as notes with their audio and the text as HTML. With any of the translation, the
/// context and the stills asked for, those columns follow (translation; before, after;
/// <img src="STILL">), named by a "#columns:" line, and "#deck:" names the deck when one is.
QByteArray ClipIndexText(const std::vector<PlannedClip>& plan, qint32 rate,
                         const ClipSetOptions& options = {});

/// Fades (the first and last 10 ms, linear, at most half the clip each) and then normalises
/// (the peak of both channels to -1 dBFS; silence stays silent) one clip's frames in place.
void ShapeClip(std::vector<qint16>& left, std::vector<qint16>& right, qint32 rate, bool fade,
               bool normalize);

/// Makes a grabber of the source's stills for one thread (each worker has its own); what
/// WriteClipSet takes when options.stills is set.
using StillSource = std::function<std::unique_ptr<StillGrabber>()>;

/// What an export did: the files written (full paths: the clips in plan order, the index
/// last), and the failure that stopped it ("<file>: <reason>"), or nothing.
struct ClipSetResult {
    QStringList written;
    QString error;
    bool cancelled = false;
    /// Clips too short for a loudness that were brought to their peak instead.
    int peakRuleClips = 0;
};

/// Writes the planned clips (fade and normalisation applied) through `encoder` on worker
/// threads, each file through QSaveFile, each clip's still after it when options.stills
/// (taken at the middle of its cues through a grabber from `stills`), then the index;
/// `progress(done, total)` is called from the calling thread (at least every 50 ms, and once more
/// at the end) and returns false to stop after the clips in hand; it is not asked again after that.
/// A failure stops the export; the files written stay. The index is written only when every clip
/// was, so that it never names a missing file; an empty plan writes nothing.
ClipSetResult WriteClipSet(const Recording& recording, const std::vector<PlannedClip>& plan,
                           const ClipSetOptions& options, ClipEncoder& encoder,
                           const std::function<bool(int done, int total)>& progress,
                           const StillSource& stills = {});
