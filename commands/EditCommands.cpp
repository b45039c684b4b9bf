// The edits of the samples, undo and redo, and the clip and subtitle exports.
#include "actions/ClipSaves.h"
#include "actions/SubtitleTransfer.h"
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"

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

void AddEditCommands(CommandTable& table, const CommandContext& c) {
    using namespace CommandId;
    CtarnDoc& doc = c.doc;
    Host& host = c.host;
    const auto hasSelection = [&doc] { return doc.SelStart() != doc.SelEnd(); };
    const auto samplesForward = [&doc] {
        return doc.GetRecording().Frames() > 0 && doc.SelStart() < doc.SelEnd();
    };

    table.Add({.id = kEditUndo,
               .name = "undo",
               .text = QT_TRANSLATE_NOOP("Command", "撤消(&U)\tCtrl+Z"),
               .prompt = QT_TRANSLATE_NOOP("Command", "撤消上一操作"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "撤消"),
               .keys = {"Ctrl+Z", "Alt+Backspace"},
               .menu = Menu::Edit,
               .menuPlace = 101,
               .handler = [&doc] { doc.OnEditUndo(); },
               .rule =
                   [&doc] {
                       return StepState(doc.GetHistory().NextUndo(),
                                        QCoreApplication::translate("Command", "Undo %1"));
                   }});
    table.Add({.id = kEditRedo,
               .name = "redo",
               .text = QT_TRANSLATE_NOOP("Command", "重做(&R)\tCtrl+Y"),
               .prompt = QT_TRANSLATE_NOOP("Command", "重做上次撤消的操作"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "重做"),
               .keys = {"Ctrl+Y", "Ctrl+Shift+Z"},
               .menu = Menu::Edit,
               .menuPlace = 102,
               .handler = [&doc] { doc.OnEditRedo(); },
               .rule =
                   [&doc] {
                       return StepState(doc.GetHistory().NextRedo(),
                                        QCoreApplication::translate("Command", "Redo %1"));
                   }});
    table.Add({.id = kEditCut,
               .name = "cut",
               .text = QT_TRANSLATE_NOOP("Command", "剪切(&T)\tCtrl+X"),
               .prompt = QT_TRANSLATE_NOOP("Command", "剪切所选内容，并将其放到剪贴板上"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "剪切"),
               .keys = {"Ctrl+X", "Shift+Del"},
               .icon = "edit-cut",
               .menu = Menu::Edit,
               .menuPlace = 201,
               .toolPlace = 201,
               .handler = [&doc] { doc.OnEditCut(); },
               .rule = EnabledWhile(hasSelection)});
    table.Add({.id = kEditCopy,
               .name = "copy",
               .text = QT_TRANSLATE_NOOP("Command", "复制(&C)\tCtrl+C"),
               .prompt = QT_TRANSLATE_NOOP("Command", "复制所选内容，将其放入剪贴板"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "复制"),
               .keys = {"Ctrl+C", "Ctrl+Ins"},
               .icon = "edit-copy",
               .menu = Menu::Edit,
               .menuPlace = 202,
               .toolPlace = 202,
               .handler = [&doc] { doc.OnEditCopy(); },
               .rule = EnabledWhile(hasSelection)});
    table.Add({.id = kEditPaste,
               .name = "paste",
               .text = QT_TRANSLATE_NOOP("Command", "粘贴(&P)\tCtrl+V"),
               .prompt = QT_TRANSLATE_NOOP("Command", "插入剪贴板内容"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "粘贴"),
               .keys = {"Ctrl+V", "Shift+Ins"},
               .icon = "edit-paste",
               .menu = Menu::Edit,
               .menuPlace = 203,
               .toolPlace = 203,
               .handler = [&doc] { doc.OnEditPaste(); },
               .rule = EnabledWhile([&doc] { return doc.GetRecording().ClipLength() > 0; })});
    table.Add({.id = kVolumeDown,
               .name = "softer",
               .text = QT_TRANSLATE_NOOP("Command", "Decrease volume"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Decrease volume"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Decrease volume"),
               .icon = "volume-down",
               .toolPlace = 302,
               .handler = [&doc] { doc.ScaleSelection(9); },
               .rule = EnabledWhile(samplesForward)});
    table.Add({.id = kVolumeUp,
               .name = "louder",
               .text = QT_TRANSLATE_NOOP("Command", "Increase volume"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Increase volume"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Increase volume"),
               .icon = "volume-up",
               .toolPlace = 303,
               .handler = [&doc] { doc.ScaleSelection(11); },
               .rule = EnabledWhile([&doc, hasSelection] {
                   return doc.GetRecording().Frames() > 0 && hasSelection();
               })});
    table.Add({.id = kSaveClip,
               .text = QT_TRANSLATE_NOOP("Command", "Save clip"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Save clip"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Save clip"),
               .icon = "save-clip",
               .toolPlace = 301,
               .handler = [&doc, &host] { OnSaveClip(doc, host); },
               .rule = EnabledWhile(samplesForward)});
    table.Add({.id = kSaveVorn,
               .text = QT_TRANSLATE_NOOP("Command", "Save Vorn"),
               .menu = Menu::File,
               .menuPlace = 105,
               .handler = [&doc, &host] { OnSaveVorn(doc, host); },
               .rule = EnabledWhile([&doc] { return doc.Cues().Count() >= 2; })});
    table.Add({.id = kSaveVorn2,
               .text = QT_TRANSLATE_NOOP("Command", "Save Vorn(2)"),
               .menu = Menu::File,
               .menuPlace = 106,
               .handler = [&doc, &host] { OnSaveVorn2(doc, host); },
               .rule = EnabledWhile([&doc] { return doc.Cues().Count() >= 1; })});
    table.Add({.id = kExportSubtitles,
               .text = QT_TRANSLATE_NOOP("Command", "Export subtitles..."),
               .prompt = QT_TRANSLATE_NOOP(
                   "Command", "Write the cues as an SRT, WebVTT, ASS, SBV or label file"),
               .menu = Menu::File,
               .menuPlace = 108,
               .handler = [&doc, &host] { OnExportSubtitles(doc, host); },
               .rule = EnabledWhile([&doc] { return doc.Cues().Count() >= 1; })});
}

void AddCoreCommands(CommandTable& table, const CommandContext& c) {
    AddEditCommands(table, c);
    AddPlayCommands(table, c);
    AddCueCommands(table, c);
    AddZoomCommands(table, c);
}
