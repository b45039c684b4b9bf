#pragma once

#include "commands/CommandRouter.h"

#include <functional>

class CtarnDoc;

/// The document's commands: clipboard, play, Save clip and the clip exports, with the
/// rules of every command whose state the document decides (also those the view handles).
void AddDocumentCommands(CommandTable& table, CtarnDoc& doc);

/// The view's rules: Atach and Delete Subtitle need a current cue.
void AddViewRules(CommandTable& table, std::function<int()> currentCue);
