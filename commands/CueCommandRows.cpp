// The cue commands and the nudges of the current cue.
#include "actions/CueCommands.h"
#include "actions/CueMoves.h"
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"
#include "geometry/StripState.h"

#include <QCoreApplication>

namespace {

/// Takes a cue command's outcome: its cue becomes current, and the strip scrolls where it
/// says.
void Apply(const CommandContext& c, const CueCommandResult& result) {
    c.doc.SetCurrentCue(result.curCue);
    if (result.scrollPos) {
        c.strip.SetScrollPos(*result.scrollPos);
    }
}

void OnAddSubtitle(const CommandContext& c) {
    Apply(c, AddSubtitle(c.doc, c.host, c.doc.CurrentCue()));
}

void OnDeleteSubtitle(const CommandContext& c) {
    const std::vector<int> chosen = c.ChosenCues();
    Apply(c, chosen.size() > 1 ? DeleteCues(c.doc, chosen)
                               : DeleteSubtitle(c.doc, c.doc.CurrentCue()));
}

void OnAtach(const CommandContext& c) {
    Apply(c, Atach(c.doc, c.host, c.doc.CurrentCue()));
}

/// The current cue's timing is taken as it is: it is no longer uncertain.
void OnAcceptTiming(CtarnDoc& doc) {
    const int i = doc.CurrentCue();
    doc.ChangeCues(QCoreApplication::translate("Step", "Accept timing"),
                   [i](CueList& cues) { cues.SetConfidence(i, kNoConfidence); });
}

void OnCheckConflict(const CommandContext& c) {
    Apply(c, CheckConflict(c.doc, c.host, c.doc.CurrentCue(), c.strip.Zoom(), c.strip.Width()));
}

} // namespace

std::vector<int> CommandContext::ChosenCues() const {
    if (chosenCues) {
        return chosenCues();
    }
    return doc.Cues().IsValidIndex(doc.CurrentCue()) ? std::vector<int>{doc.CurrentCue()}
                                                     : std::vector<int>{};
}

void AddCueCommands(CommandTable& table, const CommandContext& c) {
    using namespace CommandId;
    CtarnDoc& doc = c.doc;
    const Command::Rule cueCurrent = EnabledWhile([&doc] { return doc.CurrentCue() >= 0; });

    table.Add(
        {.id = kAddSubtitle,
         .name = "add",
         .text = QT_TRANSLATE_NOOP("Command", "Add Subtitle"),
         .prompt = QT_TRANSLATE_NOOP("Command", "Add Subtitle"),
         .tooltip = QT_TRANSLATE_NOOP("Command", "Add Subtitle"),
         .keys = {"Ins"},
         .icon = "add-subtitle",
         .menu = Menu::Cues,
         .menuPlace = 101,
         .toolPlace = 307,
         .handler = [c] { OnAddSubtitle(c); },
         .rule = EnabledWhile([&doc] { return qint64(doc.SelEnd()) - doc.SelStart() > 10; })});
    table.Add({.id = kDeleteSubtitle,
               .name = "delete",
               .text = QT_TRANSLATE_NOOP("Command", "Delete Subtitle"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Delete Subtitle"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Delete Subtitle"),
               .keys = {"Del"},
               .icon = "delete-subtitle",
               .menu = Menu::Cues,
               .menuPlace = 102,
               .toolPlace = 308,
               .handler = [c] { OnDeleteSubtitle(c); },
               .rule = cueCurrent});
    table.Add({.id = kAtach,
               .name = "attach",
               .text = QT_TRANSLATE_NOOP("Command", "Atach"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Atach"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Atach"),
               .keys = {"A"},
               .icon = "attach",
               .menu = Menu::Cues,
               .menuPlace = 103,
               .toolPlace = 306,
               .handler = [c] { OnAtach(c); },
               .rule = cueCurrent});
    table.Add({.id = kCheckConflict,
               .name = "check",
               .text = QT_TRANSLATE_NOOP("Command", "Check Conflict"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Check Conflict"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Check Conflict"),
               .icon = "check-conflict",
               .menu = Menu::Cues,
               .menuPlace = 104,
               .toolPlace = 309,
               .handler = [c] { OnCheckConflict(c); },
               .rule = EnabledWhile([] { return true; })});

    table.Add({.text = QT_TRANSLATE_NOOP("Command", "Edit cue text..."),
               .prompt = QT_TRANSLATE_NOOP("Command", "Edit the text of the current cue"),
               .keys = {"F2"},
               .menu = Menu::Cues,
               .menuPlace = 105,
               .handler = [c] { Apply(c, EditCueText(c.doc, c.host, c.doc.CurrentCue())); },
               .rule = cueCurrent});
    table.Add({.text = QT_TRANSLATE_NOOP("Command", "Select the cue"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Move the selection to the current cue"),
               .keys = {"S"},
               .menu = Menu::Cues,
               .menuPlace = 106,
               .handler = [c] { SelectCueSpan(c.doc, c.doc.CurrentCue()); },
               .rule = cueCurrent});
    // Ctrl+Enter is taken: it breaks the line in the cue list's text editor.
    table.Add({.name = "accept",
               .text = QT_TRANSLATE_NOOP("Command", "Accept timing"),
               .prompt = QT_TRANSLATE_NOOP(
                   "Command", "Accepts the current cue's timing: it is no longer marked uncertain"),
               .keys = {"Ctrl+Shift+A"},
               .menu = Menu::Cues,
               .menuPlace = 107,
               .handler = [&doc] { OnAcceptTiming(doc); },
               .rule = EnabledWhile([&doc] {
                   return doc.Cues().IsValidIndex(doc.CurrentCue()) &&
                          doc.Cues().Confidence(doc.CurrentCue()) >= 0;
               })});

    // Nudges of the current cue's edges: 10 ms, or 100 ms with Ctrl.
    const struct {
        int id;
        CuePart edge;
        int ms;
        const char* text;
        const char* prompt;
        const char* key;
        int menuPlace;
    } nudges[] = {
        {kStartEarlier, CuePart::Start, -10, QT_TRANSLATE_NOOP("Command", "Start 10 ms earlier"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's start 10 ms earlier"), "[", 201},
        {kStartLater, CuePart::Start, 10, QT_TRANSLATE_NOOP("Command", "Start 10 ms later"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's start 10 ms later"), "]", 202},
        {kEndEarlier, CuePart::End, -10, QT_TRANSLATE_NOOP("Command", "End 10 ms earlier"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's end 10 ms earlier"), ",", 203},
        {kEndLater, CuePart::End, 10, QT_TRANSLATE_NOOP("Command", "End 10 ms later"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's end 10 ms later"), ".", 204},
        {kStartMuchEarlier, CuePart::Start, -100,
         QT_TRANSLATE_NOOP("Command", "Start 100 ms earlier"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's start 100 ms earlier"), "Ctrl+[", 0},
        {kStartMuchLater, CuePart::Start, 100, QT_TRANSLATE_NOOP("Command", "Start 100 ms later"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's start 100 ms later"), "Ctrl+]", 0},
        {kEndMuchEarlier, CuePart::End, -100, QT_TRANSLATE_NOOP("Command", "End 100 ms earlier"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's end 100 ms earlier"), "Ctrl+,", 0},
        {kEndMuchLater, CuePart::End, 100, QT_TRANSLATE_NOOP("Command", "End 100 ms later"),
         QT_TRANSLATE_NOOP("Command", "Move the current cue's end 100 ms later"), "Ctrl+.", 0},
    };
    for (const auto& n : nudges) {
        table.Add(
            {.id = n.id,
             .text = n.text,
             .prompt = n.prompt,
             .keys = {n.key},
             .menu = Menu::Cues,
             .menuPlace = n.menuPlace,
             .handler = [c, edge = n.edge,
                         ms = n.ms] { Apply(c, NudgeCue(c.doc, c.doc.CurrentCue(), edge, ms)); },
             .rule = cueCurrent});
    }
}
