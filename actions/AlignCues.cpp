#include "actions/AlignCues.h"

#include "alignment/ScriptAlignment.h"
#include "base/Host.h"
#include "base/ProgressWait.h"
#include "document/CtarnDoc.h"
#include "subtitles/CueText.h"
#include "subtitles/TimingRules.h"

#include <QCoreApplication>

#include <algorithm>
#include <future>

std::vector<int> CuesToAlign(const CueList& cues, AlignChoice choice,
                             const std::vector<int>& chosen) {
    std::vector<int> indexes;
    if (choice == AlignChoice::Chosen) {
        std::copy_if(chosen.begin(), chosen.end(), std::back_inserter(indexes),
                     [&cues](int i) { return cues.IsValidIndex(i); });
        std::sort(indexes.begin(), indexes.end());
        indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
        return indexes;
    }
    for (int i = 0; i < cues.Count(); ++i) {
        if (choice == AlignChoice::All || IsPlaceholderText(cues.Text(i))) {
            indexes.push_back(i);
        }
    }
    return indexes;
}

namespace {

/// Runs the alignment on a second thread, telling the host how far it is until it ends.
ScriptAlignment RunAlignment(const CtarnDoc& doc, Host& host, FrameRange range,
                             const std::vector<QString>& texts, SpeechSynthesizer& voice) {
    AlignmentProgress progress;
    const QString task = QCoreApplication::translate("Align", "Aligning the script");
    std::future<ScriptAlignment> aligning = std::async(std::launch::async, [&] {
        return AlignScript(doc.GetRecording(), range, texts, voice, progress);
    });
    WaitShowingProgress(
        aligning, host, task, AlignmentProgress::kTotal, [&] { return progress.done.load(); },
        progress.stop);
    return aligning.get();
}

} // namespace

AlignOutcome AlignCues(CtarnDoc& doc, Host& host, const std::vector<int>& indexes,
                       SpeechSynthesizer& voice) {
    AlignOutcome outcome;
    if (indexes.empty()) {
        host.ShowMessage(QCoreApplication::translate(
            "Align", "There are no cues to align: add the script as placeholder "
                     "cues (\"#\"), or choose the cues to align."));
        return outcome;
    }
    FrameRange range = doc.SelectionForEdit();
    if (range.IsEmpty()) {
        range = {0, doc.GetRecording().Frames()};
    }
    std::vector<QString> texts;
    for (const int i : indexes) {
        texts.push_back(doc.Cues().Text(i));
    }
    const ScriptAlignment aligned = RunAlignment(doc, host, range, texts, voice);
    switch (aligned.status) {
    case ScriptAlignment::Status::Stopped:
        return outcome;
    case ScriptAlignment::Status::NothingToSpeak:
        host.ShowMessage(QCoreApplication::translate(
            "Align", "The voice speaks nothing of the texts of these cues."));
        return outcome;
    case ScriptAlignment::Status::NoAudio:
        host.ShowMessage(
            QCoreApplication::translate("Align", "There is no sound to align the cues to."));
        return outcome;
    case ScriptAlignment::Status::Aligned:
        break;
    }
    doc.ChangeCues(QCoreApplication::translate("Step", "Align script"), [&](CueList& cues) {
        for (size_t k = 0; k < indexes.size(); ++k) {
            const int i = indexes[k];
            const AlignedCue& cue = aligned.cues[k];
            cues.SetStart(i, cue.span.lo);
            cues.SetEnd(i, cue.span.hi);
            if (IsPlaceholderText(cues.Text(i))) {
                cues.SetText(i, cues.Text(i).mid(1));
            }
            // Set last: moving a cue takes its confidence away.
            cues.SetConfidence(i, cue.confidence);
        }
        cues.SortCues();
    });
    outcome.cues = aligned.cues;
    outcome.uncertain =
        int(std::count_if(aligned.cues.begin(), aligned.cues.end(),
                          [](const AlignedCue& cue) { return cue.confidence < kUncertainBelow; }));
    host.ShowStatus(QCoreApplication::translate("Align", "Aligned %n cues; %1 uncertain", nullptr,
                                                int(outcome.cues.size()))
                        .arg(outcome.uncertain));
    return outcome;
}
