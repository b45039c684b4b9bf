#include "commands/CommandCatalog.h"

#include "commands/CommandIds.h"

#include <algorithm>

using namespace CommandId;

const std::vector<CommandInfo>& CommandCatalog() {
    static const std::vector<CommandInfo> catalog = {
        {kFileNew, "新建(&N)\tCtrl+N", "创建新文档", "新建", {"Ctrl+N"}, "file-new"},
        {kFileOpen, "打开(&O)...\tCtrl+O", "打开现有文档", "打开", {"Ctrl+O"}, "file-open"},
        {kFileSave, "保存(&S)\tCtrl+S", "保存活动文档", "保存", {"Ctrl+S"}, "file-save"},
        {kFileSaveAs, "另存为(&A)...", "用新名称保存活动文档", "另存为", {}, {}},
        {kSaveVorn, "Save Vorn", {}, {}, {}, {}},
        {kSaveVorn2, "Save Vorn(2)", {}, {}, {}, {}},
        {kFilePrint, "打印(&P)...\tCtrl+P", "打印活动文档", "打印", {"Ctrl+P"}, {}},
        {kAppExit, "退出(&X)", "退出应用程序；提示保存文档", "退出", {}, {}},
        {kEditUndo, "撤消(&U)\tCtrl+Z", "撤消上一操作", "撤消", {"Ctrl+Z", "Alt+Backspace"}, {}},
        {kEditRedo,
         "重做(&R)\tCtrl+Y",
         "重做上次撤消的操作",
         "重做",
         {"Ctrl+Y", "Ctrl+Shift+Z"},
         {}},
        {kEditCut,
         "剪切(&T)\tCtrl+X",
         "剪切所选内容，并将其放到剪贴板上",
         "剪切",
         {"Ctrl+X", "Shift+Del"},
         "edit-cut"},
        {kEditCopy,
         "复制(&C)\tCtrl+C",
         "复制所选内容，将其放入剪贴板",
         "复制",
         {"Ctrl+C", "Ctrl+Ins"},
         "edit-copy"},
        {kEditPaste,
         "粘贴(&P)\tCtrl+V",
         "插入剪贴板内容",
         "粘贴",
         {"Ctrl+V", "Shift+Ins"},
         "edit-paste"},
        {kViewToolbar, "工具栏(&T)", "显示或隐藏工具栏", "切换工具栏", {}, {}, true},
        {kViewStatusBar, "状态栏(&S)", "显示或隐藏状态栏", "切换状态栏", {}, {}, true},
        {kViewControlBar, "控制栏(&C)", {}, {}, {}, {}, true},
        {kAppAbout, "关于 tarn(&A)...", "显示程序信息、版本号和版权信息", "关于", {}, {}},
        {kNextPane, {}, "切换到下一个窗口窗格", "下一窗格", {"F6"}, {}},
        {kPrevPane, {}, "切换回上一个窗口窗格", "上一窗格", {"Shift+F6"}, {}},
        {kZoomOut, "Zoom out", "Zoom out", "Zoom out", {}, "zoom-out"},
        {kZoomIn, "Zoom in", "Zoom in", "Zoom in", {}, "zoom-in"},
        {kSaveClip, "Save clip", "Save clip", "Save clip", {}, "save-clip"},
        {kVolumeDown, "Decrease volume", "Decrease volume", "Decrease volume", {}, "volume-down"},
        {kVolumeUp, "Increase volume", "Increase volume", "Increase volume", {}, "volume-up"},
        {kPlay, "Play", {}, "Play", {}, "play"},
        {kAtach, "Atach", "Atach", "Atach", {}, "attach"},
        {kAddSubtitle, "Add Subtitle", "Add Subtitle", "Add Subtitle", {}, "add-subtitle"},
        {kDeleteSubtitle,
         "Delete Subtitle",
         "Delete Subtitle",
         "Delete Subtitle",
         {},
         "delete-subtitle"},
        {kCheckConflict,
         "Check Conflict",
         "Check Conflict",
         "Check Conflict",
         {},
         "check-conflict"},
        {kDetectPhrases,
         "Detect phrases...",
         "Find the spoken phrases by their silences and make cues of them",
         "Detect phrases",
         {},
         "detect-phrases"},
        {kExec, "EXEC", {}, {}, {}, {}},
    };
    return catalog;
}

const CommandInfo* FindCommand(int id) {
    const std::vector<CommandInfo>& catalog = CommandCatalog();
    const auto it = std::find_if(catalog.begin(), catalog.end(),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == catalog.end() ? nullptr : &*it;
}

const std::vector<MenuLayout>& MenuBarLayout() {
    static const std::vector<MenuLayout> layout = {
        {"文件(&F)",
         {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kSaveVorn, kSaveVorn2, kSeparator,
          kRecentFiles, kSeparator, kAppExit}},
        {"编辑(&E)", {kEditUndo, kEditRedo, kSeparator, kEditCut, kEditCopy, kEditPaste}},
        {"视图(&V)", {kViewToolbar, kViewStatusBar, kViewControlBar}},
        {"Cues",
         {kAddSubtitle, kDeleteSubtitle, kAtach, kCheckConflict, kSeparator, kDetectPhrases}},
        {"帮助(&H)", {kAppAbout}},
    };
    return layout;
}

const std::vector<int>& ToolBarLayout() {
    static const std::vector<int> layout = {
        kFileNew,     kFileOpen,       kFileSave,      kZoomOut,       kZoomIn,
        kSeparator,   kEditCut,        kEditCopy,      kEditPaste,     kSeparator,
        kSaveClip,    kVolumeDown,     kVolumeUp,      kPlay,          kAtach,
        kAddSubtitle, kDeleteSubtitle, kCheckConflict, kDetectPhrases,
    };
    return layout;
}
