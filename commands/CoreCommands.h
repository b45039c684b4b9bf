#pragma once

#include <functional>
#include <vector>

class CommandTable;
class CtarnDoc;
class Host;
class StripState;
class Transport;

/// What the commands of the logic work on: the document, the host's questions and messages,
/// the transport that plays it and the strip state of the view that shows it; and the cues a
/// front end lets the user choose for the commands that take several (the current cue alone
/// when it gives none).
struct CommandContext {
    CtarnDoc& doc;
    Host& host;
    Transport& transport;
    StripState& strip;
    std::function<std::vector<int>()> chosenCues = {};

    /// The chosen cues, in order.
    std::vector<int> ChosenCues() const;
};

/// The edits of the samples, undo and redo, and the clip and subtitle exports.
void AddEditCommands(CommandTable& table, const CommandContext& c);
/// Play, stop and the edge plays.
void AddPlayCommands(CommandTable& table, const CommandContext& c);
/// The cue commands and the nudges of the current cue.
void AddCueCommands(CommandTable& table, const CommandContext& c);
/// Zoom in and out.
void AddZoomCommands(CommandTable& table, const CommandContext& c);

/// Every command above: what both programs run on a document.
void AddCoreCommands(CommandTable& table, const CommandContext& c);
