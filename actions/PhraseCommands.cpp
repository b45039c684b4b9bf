#include "actions/PhraseCommands.h"

#include "document/CtarnDoc.h"
#include "subtitles/CueText.h"
#include "subtitles/PhraseFitting.h"

#include <QCoreApplication>

#include <algorithm>

std::vector<int> PlaceholderChars(const CueList& cues) {
    std::vector<int> chars;
    for (int i = 0; i < cues.Count(); ++i) {
        const QString& text = cues.Text(i);
        if (IsPlaceholderText(text)) {
            chars.push_back(int(
                std::count_if(text.begin() + 1, text.end(), [](QChar c) { return !c.isSpace(); })));
        }
    }
    return chars;
}

LevelTrack MeasureSelectionLevels(const CtarnDoc& doc) {
    FrameRange range = doc.SelectionForEdit();
    if (range.IsEmpty()) {
        range = {0, doc.GetRecording().Frames()};
    }
    return MeasureLevels(doc.GetRecording(), range);
}

PhraseOutcome ApplyPhrases(CtarnDoc& doc, const std::vector<FrameRange>& phrases,
                           const LevelTrack& levels, const PhraseSettings& settings,
                           PhraseUse use) {
    PhraseOutcome outcome;
    if (use == PhraseUse::NewCues) {
        outcome.spans = phrases;
        doc.ChangeCues(QCoreApplication::translate("Step", "Detect phrases"),
                       [&phrases](CueList& cues) {
                           std::vector<Cue> added;
                           for (const FrameRange& span : phrases) {
                               added.push_back({span.lo, span.hi, QStringLiteral("#")});
                           }
                           cues.AddCues(std::move(added));
                       });
        return outcome;
    }
    std::vector<int> placeholders;
    for (int i = 0; i < doc.Cues().Count(); ++i) {
        if (IsPlaceholderText(doc.Cues().Text(i))) {
            placeholders.push_back(i);
        }
    }
    FittedPhrases fitted = FitPhrases(phrases, PlaceholderChars(doc.Cues()), levels, settings,
                                      doc.GetRecording().SampleRate());
    outcome.joined = fitted.joined;
    outcome.split = fitted.split;
    outcome.spans = std::move(fitted.spans);
    doc.ChangeCues(QCoreApplication::translate("Step", "Detect phrases"), [&](CueList& cues) {
        const size_t laid = std::min(placeholders.size(), outcome.spans.size());
        for (size_t k = 0; k < laid; ++k) {
            const int i = placeholders[k];
            cues.SetStart(i, outcome.spans[k].lo);
            cues.SetEnd(i, outcome.spans[k].hi);
            cues.SetText(i, cues.Text(i).mid(1));
        }
        cues.SortCues();
    });
    return outcome;
}
