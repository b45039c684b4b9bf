#include "commands/DocumentCommands.h"

#include "actions/SubtitleTransfer.h"
#include "commands/CommandIds.h"
#include "document/CtarnDoc.h"
#include "geometry/Zoom.h"

#include <QCoreApplication>

namespace {

/// Enabled while there is a step, its name in the prompt: `prompt` ("Undo %1") with the name.
CommandState StepState(const EditStep* step, const QString& prompt) {
    if (step == nullptr) {
        return {};
    }
    return {true, std::nullopt, prompt.arg(step->name)};
}

} // namespace

void AddDocumentCommands(CommandTable& table, CtarnDoc& doc) {
    using namespace CommandId;
    const CtarnDoc* d = &doc;
    const auto hasSamples = [d] { return d->Frames() > 0; };
    const auto hasSelection = [d] { return d->SelStart() != d->SelEnd(); };
    const auto forwardSelection = [d] { return d->SelStart() < d->SelEnd(); };

    table.On(kEditCut, [&doc] { doc.OnEditCut(); });
    table.On(kEditCopy, [&doc] { doc.OnEditCopy(); });
    table.On(kEditPaste, [&doc] { doc.OnEditPaste(); });
    table.On(kPlay, [&doc] { doc.OnPlay(); });
    table.On(kStop, [&doc] { doc.OnStop(); });
    table.On(kPlayOrStop, [&doc] { doc.OnPlayOrStop(); });
    table.On(kPlayBeforeStart, [&doc] { doc.PlayEdge(EdgePlay::BeforeStart); });
    table.On(kPlayAfterStart, [&doc] { doc.PlayEdge(EdgePlay::AfterStart); });
    table.On(kPlayBeforeEnd, [&doc] { doc.PlayEdge(EdgePlay::BeforeEnd); });
    table.On(kPlayAfterEnd, [&doc] { doc.PlayEdge(EdgePlay::AfterEnd); });
    table.On(kSaveClip, [&doc] { doc.OnSaveClip(); });
    table.On(kSaveVorn, [&doc] { doc.OnSaveVorn(); });
    table.On(kSaveVorn2, [&doc] { doc.OnSaveVorn2(); });
    table.On(kExportSubtitles, [&doc] { OnExportSubtitles(doc, doc.GetHost()); });
    table.On(kEditUndo, [&doc] { doc.OnEditUndo(); });
    table.On(kEditRedo, [&doc] { doc.OnEditRedo(); });

    // A decoded file has no file of its own yet: saving it is how it becomes a WAV file.
    const auto hasUnsaved = [d] { return d->IsModified() || !d->ImportSource().isEmpty(); };
    table.Enable(kFileSave, hasUnsaved);
    table.Enable(kFileSaveAs, hasUnsaved);
    table.Enable(kSaveVorn, [d] { return d->Cues().Count() >= 2; });
    table.Enable(kSaveVorn2, [d] { return d->Cues().Count() >= 1; });
    table.Enable(kImportSubtitles, hasSamples);
    table.Enable(kExportSubtitles, [d] { return d->Cues().Count() >= 1; });
    table.Enable(kExportClips, [d] { return d->Cues().Count() >= 1; });
    table.Enable(kEditCut, hasSelection);
    table.Enable(kEditCopy, hasSelection);
    table.Enable(kEditPaste, [d] { return d->ClipLength() > 0; });
    table.Enable(kPlay, hasSamples);
    table.Enable(kStop, [d] { return d->IsPlaying(); });
    for (int id : {kPlayOrStop, kPlayBeforeStart, kPlayAfterStart, kPlayBeforeEnd, kPlayAfterEnd}) {
        table.Enable(id, hasSamples);
    }
    table.Enable(kSaveClip, [=] { return hasSamples() && forwardSelection(); });
    table.Enable(kVolumeDown, [=] { return hasSamples() && forwardSelection(); });
    table.Enable(kVolumeUp, [=] { return hasSamples() && hasSelection(); });
    table.Enable(kZoomIn, [d] { return d->Zoom() > kMinZoom; });
    table.Enable(kZoomOut, [d] { return d->Zoom() < kMaxZoom; });
    table.Enable(kAddSubtitle, [d] { return qint64(d->SelEnd()) - d->SelStart() > 10; });
    table.Enable(kCheckConflict, [] { return true; });
    table.Enable(kDetectPhrases, hasSamples);
    table.Update(kEditUndo, [d] {
        return StepState(d->GetHistory().NextUndo(),
                         QCoreApplication::translate("Command", "Undo %1"));
    });
    table.Update(kEditRedo, [d] {
        return StepState(d->GetHistory().NextRedo(),
                         QCoreApplication::translate("Command", "Redo %1"));
    });
}

void AddViewRules(CommandTable& table, std::function<int()> currentCue) {
    const auto cueSelected = [currentCue = std::move(currentCue)] { return currentCue() >= 0; };
    table.Enable(CommandId::kAtach, cueSelected);
    table.Enable(CommandId::kDeleteSubtitle, cueSelected);
    using namespace CommandId;
    for (int id : {kStartEarlier, kStartLater, kEndEarlier, kEndLater, kStartMuchEarlier,
                   kStartMuchLater, kEndMuchEarlier, kEndMuchLater}) {
        table.Enable(id, cueSelected);
    }
}
