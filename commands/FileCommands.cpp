#include "commands/FileCommands.h"

#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "document/CtarnDoc.h"

void AddFileCommands(CommandTable& table, const CtarnDoc& doc, const FileActions& actions) {
    using namespace CommandId;
    // A decoded file has no file of its own yet: saving it is how it becomes a WAV file.
    const Command::Rule unsaved =
        EnabledWhile([&doc] { return doc.IsModified() || !doc.File().ImportSource().isEmpty(); });
    const Command::Rule hasSamples =
        EnabledWhile([&doc] { return doc.GetRecording().Frames() > 0; });
    table.Add({.id = kFileNew,
               .text = QT_TRANSLATE_NOOP("Command", "新建(&N)\tCtrl+N"),
               .prompt = QT_TRANSLATE_NOOP("Command", "创建新文档"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "新建"),
               .keys = {"Ctrl+N"},
               .icon = "file-new",
               .menu = Menu::File,
               .menuPlace = 101,
               .toolPlace = 101,
               .handler = actions.newFile});
    table.Add({.id = kFileOpen,
               .text = QT_TRANSLATE_NOOP("Command", "打开(&O)...\tCtrl+O"),
               .prompt = QT_TRANSLATE_NOOP("Command", "打开现有文档"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "打开"),
               .keys = {"Ctrl+O"},
               .icon = "file-open",
               .menu = Menu::File,
               .menuPlace = 102,
               .toolPlace = 102,
               .handler = actions.open});
    table.Add({.id = kFileSave,
               .text = QT_TRANSLATE_NOOP("Command", "保存(&S)\tCtrl+S"),
               .prompt = QT_TRANSLATE_NOOP("Command", "保存活动文档"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "保存"),
               .keys = {"Ctrl+S"},
               .icon = "file-save",
               .menu = Menu::File,
               .menuPlace = 103,
               .toolPlace = 103,
               .handler = actions.save,
               .rule = unsaved});
    table.Add({.id = kFileSaveAs,
               .text = QT_TRANSLATE_NOOP("Command", "另存为(&A)..."),
               .prompt = QT_TRANSLATE_NOOP("Command", "用新名称保存活动文档"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "另存为"),
               .menu = Menu::File,
               .menuPlace = 104,
               .handler = actions.saveAs,
               .rule = unsaved});
    table.Add(
        {.id = kImportSubtitles,
         .text = QT_TRANSLATE_NOOP("Command", "Import subtitles..."),
         .prompt = QT_TRANSLATE_NOOP(
             "Command", "Replace the cues with those of an SRT, WebVTT, ASS, SBV or label file"),
         .menu = Menu::File,
         .menuPlace = 107,
         .handler = actions.importSubtitles,
         .rule = hasSamples});
    table.Add({.id = kExportClips,
               .text = QT_TRANSLATE_NOOP("Command", "Export clips..."),
               .prompt = QT_TRANSLATE_NOOP("Command",
                                           "Write every cue as a clip of its own, named by number "
                                           "and text, with an index for flashcards"),
               .menu = Menu::File,
               .menuPlace = 109,
               .handler = actions.exportClips,
               .rule = EnabledWhile([&doc] { return doc.Cues().Count() >= 1; })});
    table.Add({.id = kDetectPhrases,
               .text = QT_TRANSLATE_NOOP("Command", "Detect phrases..."),
               .prompt = QT_TRANSLATE_NOOP(
                   "Command", "Find the spoken phrases by their silences and make cues of them"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Detect phrases"),
               .icon = "detect-phrases",
               .menu = Menu::Cues,
               .menuPlace = 301,
               .toolPlace = 310,
               .handler = actions.detectPhrases,
               .rule = hasSamples});
    table.Add({.id = kAlignScript,
               .text = QT_TRANSLATE_NOOP("Command", "Align script..."),
               .prompt = QT_TRANSLATE_NOOP("Command",
                                           "Lay the script's cues where their texts are spoken"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Align script"),
               .icon = "align-script",
               .menu = Menu::Cues,
               .menuPlace = 302,
               .toolPlace = 311,
               .handler = actions.alignScript,
               .rule = EnabledWhile(
                   [&doc] { return doc.GetRecording().Frames() > 0 && doc.Cues().Count() > 0; })});
}
