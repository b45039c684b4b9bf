#include "actions/CueCommands.h"

#include "document/CtarnDoc.h"
#include "subtitles/CueText.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

/// Narrowest selection Atach accepts, in frames.
constexpr qint64 kMinAttachWidth = 10;

bool IsPlaceholder(const CueList& cues, int i) {
    return IsPlaceholderText(cues.Text(i));
}

/// Lays cues first..last end to end in equal steps from `from` towards `to`.
void Spread(CueList& cues, int first, int last, qint64 from, qint64 to) {
    const qint64 step = (to - from) / (last - first + 1);
    qint64 base = from;
    for (int j = first; j <= last; ++j) {
        cues.SetStart(j, int(base));
        base += step;
        cues.SetEnd(j, int(base));
    }
}

/// Moves cue s onto left..right; a placeholder loses its mark and the placeholder runs
/// around it are laid end to end up to its new start and from its new end.
void AttachInPlace(CueList& cues, int s, int left, int right) {
    cues.SetStart(s, left);
    cues.SetEnd(s, right);
    if (IsPlaceholder(cues, s)) {
        cues.SetText(s, cues.Text(s).mid(1));
        int lo = s;
        while (lo > 0 && IsPlaceholder(cues, lo - 1)) {
            --lo;
        }
        int hi = s;
        while (hi + 1 < cues.Count() && IsPlaceholder(cues, hi + 1)) {
            ++hi;
        }
        if (lo < s) {
            Spread(cues, lo, s - 1, cues.Start(lo), cues.Start(s));
        }
        if (hi > s) {
            Spread(cues, s + 1, hi, cues.End(s), cues.End(hi));
        }
    }
    cues.SortCues();
}

CueCommandResult Changed(int curCue) {
    return {curCue, std::nullopt, true};
}

} // namespace

CueCommandResult AddSubtitle(CtarnDoc& doc, Host& host, int curCue) {
    const int left = doc.SelStart();
    const int right = doc.SelEnd();
    const QString step = QCoreApplication::translate("Step", "Add Subtitle");
    const std::optional<QString> text = host.AskText(step, QString());
    if (!text) {
        return {curCue, std::nullopt, false};
    }
    return Changed(doc.ChangeCuesToCurrent(
        step, [&](CueList& cues) { return cues.AddCue(left, right, *text); }));
}

CueCommandResult DeleteSubtitle(CtarnDoc& doc, int curCue) {
    if (!doc.Cues().IsValidIndex(curCue)) {
        return {curCue, std::nullopt, false};
    }
    const QString step = QCoreApplication::translate("Step", "Delete Subtitle");
    return Changed(doc.ChangeCuesToCurrent(step, [curCue](CueList& cues) {
        cues.RemoveCue(curCue);
        return -1;
    }));
}

CueCommandResult DeleteCues(CtarnDoc& doc, const std::vector<int>& rows) {
    std::vector<int> cues;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(cues),
                 [&doc](int row) { return doc.Cues().IsValidIndex(row); });
    if (cues.size() == 1) {
        return DeleteSubtitle(doc, cues.front());
    }
    if (cues.empty()) {
        return {doc.CurrentCue(), std::nullopt, false};
    }
    const QString step = QCoreApplication::translate("Step", "Delete Subtitles");
    return Changed(doc.ChangeCuesToCurrent(step, [&cues](CueList& list) {
        // One sort for the lot: removing them one by one would sort the list each time.
        std::vector<Cue> kept;
        kept.reserve(size_t(list.Count()));
        auto next = cues.begin();
        for (int i = 0; i < list.Count(); ++i) {
            if (next != cues.end() && *next == i) {
                ++next;
            } else {
                kept.push_back({list.Start(i), list.End(i), list.Text(i)});
            }
        }
        list.Clear();
        list.AddCues(std::move(kept));
        return -1;
    }));
}

void SelectCueSpan(CtarnDoc& doc, int curCue) {
    if (doc.Cues().IsValidIndex(curCue)) {
        doc.SetSelection(doc.Cues().Start(curCue), doc.Cues().End(curCue));
    }
}

int NeighbourCue(const CtarnDoc& doc, bool next) {
    const CueList& cues = doc.Cues();
    if (cues.Count() == 0) {
        return -1;
    }
    const int current = doc.CurrentCue();
    if (cues.IsValidIndex(current)) {
        return std::clamp(current + (next ? 1 : -1), 0, cues.Count() - 1);
    }
    int after = 0;
    while (after < cues.Count() && cues.Start(after) < doc.SelStart()) {
        ++after;
    }
    return next ? (after < cues.Count() ? after : -1) : after - 1;
}

CueCommandResult Atach(CtarnDoc& doc, Host& host, int curCue) {
    const int left = doc.SelStart();
    const int right = doc.SelEnd();
    if (qint64(right) - left < kMinAttachWidth) {
        host.ShowMessage(
            QCoreApplication::translate("Message", "left=%1 right=%2").arg(left).arg(right));
        return {curCue, std::nullopt, false};
    }
    if (!doc.Cues().IsValidIndex(curCue)) {
        return {curCue, std::nullopt, false};
    }
    const QString step = QCoreApplication::translate("Step", "Atach");
    return Changed(doc.ChangeCuesToCurrent(step, [&](CueList& cues) {
        AttachInPlace(cues, curCue, left, right);
        return curCue;
    }));
}

CueCommandResult EditCueText(CtarnDoc& doc, Host& host, int index) {
    if (!doc.Cues().IsValidIndex(index)) {
        return {-1, std::nullopt, false};
    }
    const QString step = QCoreApplication::translate("Step", "Edit Subtitle");
    const std::optional<QString> text = host.AskText(step, doc.Cues().Text(index));
    if (!text) {
        return {index, std::nullopt, false};
    }
    const QString normalized = NormalizeCueText(*text);
    return Changed(doc.ChangeCuesToCurrent(step, [&](CueList& cues) {
        cues.SetText(index, normalized);
        // Other cues without text go too; the edited one moves down by as many as stood
        // before it.
        int emptiedBefore = 0;
        for (int j = 0; j < index; ++j) {
            emptiedBefore += cues.Text(j).isEmpty() ? 1 : 0;
        }
        cues.RemoveEmptyCues();
        return normalized.isEmpty() ? -1 : index - emptiedBefore;
    }));
}

CueCommandResult CheckConflict(const CtarnDoc& doc, Host& host, int curCue, int zoom,
                               int clientWidth) {
    const CueList& cues = doc.Cues();
    int found = -1;
    for (int i = 0; i < cues.Count() && found < 0; ++i) {
        if (cues.Overlap(i) != 0) {
            found = i;
        }
    }
    if (found < 0) {
        host.ShowMessage(QCoreApplication::translate("Message", "NOT FOUND"));
        return {curCue, std::nullopt, false};
    }
    const qint64 middle = (qint64(cues.End(found)) + cues.Start(found)) / 2;
    const qint64 pos = middle / zoom - clientWidth / 2;
    if (pos < 0) {
        return {found, std::nullopt, false};
    }
    return {found, int(pos), true};
}
