#pragma once

#include <functional>

class CommandTable;
class CtarnDoc;

/// What the program does for the file commands: they ask questions and show dialogs, so the
/// front end that has them does them.
struct FileActions {
    std::function<void()> newFile;
    std::function<void()> open;
    std::function<void()> save;
    std::function<void()> saveAs;
    std::function<void()> importSubtitles;
    std::function<void()> exportClips;
    std::function<void()> detectPhrases;
    std::function<void()> alignScript;
};

/// The commands that bring a file in or send one out, enabled by the state of `doc`.
void AddFileCommands(CommandTable& table, const CtarnDoc& doc, const FileActions& actions);
