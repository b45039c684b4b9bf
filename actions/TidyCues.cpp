#include "actions/TidyCues.h"

#include "base/Host.h"
#include "document/CtarnDoc.h"
#include "recording/PhraseDetection.h"

#include <QCoreApplication>

namespace {

/// The speech snapping aims at: none when snapping is off, as measuring takes a while.
std::vector<FrameRange> SpeechSpans(const CtarnDoc& doc, const TidySettings& settings) {
    if (settings.snap.num <= 0) {
        return {};
    }
    const Recording& recording = doc.GetRecording();
    PhraseSettings phrases;
    phrases.padMs = 0;
    return FindPhrases(MeasureLevels(recording, {0, recording.Frames()}), phrases,
                       recording.SampleRate());
}

} // namespace

int TidyCues(CtarnDoc& doc, Host& host, const std::vector<int>& rows,
             const TidySettings& settings) {
    const std::vector<FrameRange> speech = SpeechSpans(doc, settings);
    int changed = 0;
    // An unchanged list is no step.
    doc.ChangeCues(QCoreApplication::translate("Step", "Tidy timing"), [&](CueList& cues) {
        changed = TidyCueList(cues, rows, settings, speech, doc.GetRecording().SampleRate(),
                              doc.GetRecording().Frames());
    });
    host.ShowStatus(QCoreApplication::translate("Message", "Tidied %n cues", nullptr, changed));
    return changed;
}

int CountTidiedCues(const CtarnDoc& doc, const std::vector<int>& rows,
                    const TidySettings& settings) {
    CueList cues = doc.Cues();
    return TidyCueList(cues, rows, settings, SpeechSpans(doc, settings),
                       doc.GetRecording().SampleRate(), doc.GetRecording().Frames());
}
