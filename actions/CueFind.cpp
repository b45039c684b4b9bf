#include "actions/CueFind.h"

#include "document/CtarnDoc.h"
#include "subtitles/CueSearch.h"
#include "subtitles/CueText.h"

#include <QCoreApplication>

#include <utility>
#include <vector>

namespace {

/// Removes the cues without text, as editing a text does, and returns where cue `index` is
/// afterwards: -1 when it went or was no cue.
int RemoveEmptied(CueList& cues, int index) {
    int emptiedBefore = 0;
    for (int j = 0; j < index && j < cues.Count(); ++j) {
        emptiedBefore += cues.Text(j).isEmpty() ? 1 : 0;
    }
    const bool kept = cues.IsValidIndex(index) && !cues.Text(index).isEmpty();
    cues.RemoveEmptyCues();
    return kept ? index - emptiedBefore : -1;
}

} // namespace

int ReplaceAll(CtarnDoc& doc, Host& host, const CueQuery& query, const QString& replacement) {
    const CueSearch search(query);
    if (!search.IsValid()) {
        host.ShowMessage(search.Error());
        return 0;
    }
    // The new texts are found before the step is started, so that nothing found is no step.
    const CueList& cues = doc.Cues();
    std::vector<std::pair<int, QString>> changed;
    int occurrences = 0;
    bool emptied = false;
    for (int i = 0; i < cues.Count(); ++i) {
        TextReplacement r = search.Replace(cues.Text(i), replacement);
        if (r.count > 0) {
            occurrences += r.count;
            changed.emplace_back(i, NormalizeCueText(r.text));
            emptied = emptied || changed.back().second.isEmpty();
        }
    }
    if (occurrences == 0) {
        host.ShowStatus(QCoreApplication::translate("Message", "Nothing found"));
        return 0;
    }
    const int current = doc.CurrentCue();
    doc.ChangeCuesToCurrent(QCoreApplication::translate("Step", "Replace all"), [&](CueList& list) {
        for (auto& [i, text] : changed) {
            list.SetText(i, std::move(text));
        }
        return emptied ? RemoveEmptied(list, current) : current;
    });
    host.ShowStatus(
        QCoreApplication::translate("Message", "Replaced %n occurrences in %1", nullptr,
                                    occurrences)
            .arg(QCoreApplication::translate("Message", "%n cues", nullptr, int(changed.size()))));
    return occurrences;
}

bool ReplaceInCue(CtarnDoc& doc, Host& host, const CueQuery& query, const QString& replacement,
                  int index) {
    const CueSearch search(query);
    if (!search.IsValid()) {
        host.ShowMessage(search.Error());
        return false;
    }
    if (!doc.Cues().IsValidIndex(index)) {
        return false;
    }
    const TextReplacement r = search.Replace(doc.Cues().Text(index), replacement);
    if (r.count == 0) {
        return false;
    }
    const QString text = NormalizeCueText(r.text);
    doc.ChangeCuesToCurrent(QCoreApplication::translate("Step", "Replace"), [&](CueList& list) {
        list.SetText(index, text);
        return RemoveEmptied(list, index);
    });
    return true;
}

int FindCue(const CtarnDoc& doc, Host& host, const CueQuery& query, bool backward) {
    const CueSearch search(query);
    if (!search.IsValid()) {
        host.ShowMessage(search.Error());
        return -1;
    }
    const int found = search.Find(doc.Cues(), doc.CurrentCue(), backward);
    if (found < 0) {
        host.ShowStatus(QCoreApplication::translate("Message", "Nothing found"));
    }
    return found;
}
