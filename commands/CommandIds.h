#pragma once

/// The numeric identifiers of every command: menu items, toolbar buttons, accelerators and
/// the console bar's button all send one of these.
namespace CommandId {
enum : int {
    kExec = 1002, ///< IDC_EXEC, the console bar's button
    kZoomOut = 32772,
    kZoomIn = 32773,
    kViewControlBar = 32774,
    kVolumeDown = 32775,
    kVolumeUp = 32777,
    kAtach = 32778,
    kSaveClip = 32780,
    kPlay = 32782,
    kAddSubtitle = 32783,
    kDeleteSubtitle = 32784,
    kSaveVorn = 32797,
    kCheckConflict = 32798,
    kSaveVorn2 = 32801,
    kDetectPhrases = 32802,
    kFileNew = 57600,
    kFileOpen = 57601,
    kFileSave = 57603,
    kFileSaveAs = 57604,
    kFilePrintSetup = 57606,
    kFilePrint = 57607,
    kFilePrintDirect = 57608,
    kFilePrintPreview = 57609,
    kFileMruFile1 = 57616, ///< the first of 10 recent-file entries
    kEditCopy = 57634,
    kEditCut = 57635,
    kEditPaste = 57637,
    kEditUndo = 57643,
    kEditRedo = 57644,
    kAppAbout = 57664,
    kAppExit = 57665,
    kNextPane = 57680,
    kPrevPane = 57681,
    kViewToolbar = 59392,
    kViewStatusBar = 59393,
};
} // namespace CommandId
