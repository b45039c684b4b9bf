#include "actions/CueMoves.h"

#include "document/CtarnDoc.h"

#include <QCoreApplication>

CueCommandResult MoveCue(CtarnDoc& doc, int index, int start, int end) {
    const CueList& cues = doc.Cues();
    if (!cues.IsValidIndex(index) || end <= start) {
        return {doc.CurrentCue(), std::nullopt, false};
    }
    const int at =
        doc.ChangeCuesToCurrent(QCoreApplication::translate("Message", "Move cue"),
                                [&](CueList& list) { return list.MoveCue(index, start, end); });
    return {at, std::nullopt, true};
}

CueCommandResult NudgeCue(CtarnDoc& doc, int curCue, CuePart edge, int ms) {
    const CueList& cues = doc.Cues();
    if (!cues.IsValidIndex(curCue) || (edge != CuePart::Start && edge != CuePart::End)) {
        return {curCue, std::nullopt, false};
    }
    const qint64 delta = qint64(doc.GetRecording().SampleRate()) * ms / 1000;
    const CueSpan span = DragCue({cues.Start(curCue), cues.End(curCue)}, edge, delta, {}, 0,
                                 doc.GetRecording().Frames());
    return MoveCue(doc, curCue, span.start, span.end);
}
