#include "app/DocumentCommands.h"

#include "app/CommandIds.h"
#include "document/CtarnDoc.h"
#include "view/ViewGeometry.h"

void AddDocumentCommands(CommandTable& table, CtarnDoc& doc) {
    using namespace CommandId;
    const CtarnDoc* d = &doc;
    const auto hasSamples = [d] { return d->m_nSamples > 0; };
    const auto hasSelection = [d] { return d->m_nSelStart != d->m_nSelEnd; };

    table.On(kEditCut, [&doc] { doc.OnEditCut(); });
    table.On(kEditCopy, [&doc] { doc.OnEditCopy(); });
    table.On(kEditPaste, [&doc] { doc.OnEditPaste(); });
    table.On(kPlay, [&doc] { doc.OnPlay(); });
    table.On(kSaveClip, [&doc] { doc.OnSaveClip(); });
    table.On(kSaveVorn, [&doc] { doc.OnSaveVorn(); });
    table.On(kSaveVorn2, [&doc] { doc.OnSaveVorn2(); });

    table.Enable(kFileSave, [d] { return d->IsModified(); });
    table.Enable(kFileSaveAs, [d] { return d->IsModified(); });
    table.Enable(kSaveVorn, [d] { return d->m_cues.Count() >= 2; });
    table.Enable(kSaveVorn2, [d] { return d->m_cues.Count() >= 1; });
    table.Enable(kEditCut, hasSelection);
    table.Enable(kEditCopy, hasSelection);
    table.Enable(kEditPaste, [d] { return d->m_nClipLen > 0; });
    table.Enable(kPlay, hasSamples);
    table.Enable(kSaveClip, [=] { return hasSamples() && d->m_nSelStart < d->m_nSelEnd; });
    table.Enable(kVolumeDown, [=] { return hasSamples() && d->m_nSelStart < d->m_nSelEnd; });
    table.Enable(kVolumeUp, [=] { return hasSamples() && hasSelection(); });
    table.Enable(kZoomIn, [d] { return d->m_nZoom > kMinZoom; });
    table.Enable(kZoomOut, [d] { return d->m_nZoom < kMaxZoom; });
    table.Enable(kAddSubtitle, [d] { return qint64(d->m_nSelEnd) - d->m_nSelStart > 10; });
    table.Enable(kCheckConflict, [] { return true; });
}

void AddViewRules(CommandTable& table, std::function<int()> currentCue) {
    const auto cueSelected = [currentCue = std::move(currentCue)] { return currentCue() >= 0; };
    table.Enable(CommandId::kAtach, cueSelected);
    table.Enable(CommandId::kDeleteSubtitle, cueSelected);
}
