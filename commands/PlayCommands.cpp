// Play, stop and the edge plays.
#include "audio/Transport.h"
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"

void AddPlayCommands(CommandTable& table, const CommandContext& c) {
    using namespace CommandId;
    Transport& transport = c.transport;
    const CtarnDoc& doc = c.doc;
    const Command::Rule hasSamples =
        EnabledWhile([&doc] { return doc.GetRecording().Frames() > 0; });

    table.Add({.id = kPlay,
               .text = QT_TRANSLATE_NOOP("Command", "Play"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Play"),
               .icon = "play",
               .menu = Menu::Play,
               .menuPlace = 101,
               .toolPlace = 304,
               .handler = [&transport] { transport.OnPlay(); },
               .rule = hasSamples,
               .tooltipKeys = "Space"});
    table.Add(
        {.id = kPlayOrStop,
         .text = QT_TRANSLATE_NOOP("Command", "Play or stop"),
         .prompt = QT_TRANSLATE_NOOP("Command", "Play the selection, or stop what is playing"),
         .tooltip = QT_TRANSLATE_NOOP("Command", "Play or stop"),
         .keys = {"Space"},
         .menu = Menu::Play,
         .menuPlace = 102,
         .handler = [&transport] { transport.OnPlayOrStop(); },
         .rule = hasSamples});
    table.Add({.id = kStop,
               .text = QT_TRANSLATE_NOOP("Command", "Stop"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Stop the sound and the play cursor"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Stop"),
               .keys = {"Esc"},
               .icon = "stop",
               .menu = Menu::Play,
               .menuPlace = 103,
               .toolPlace = 305,
               .handler = [&transport] { transport.OnStop(); },
               .rule = EnabledWhile([&transport] { return transport.IsPlaying(); })});

    const struct {
        int id;
        EdgePlay edge;
        const char* text;
        const char* prompt;
        const char* key;
    } edges[] = {
        {kPlayBeforeStart, EdgePlay::BeforeStart, QT_TRANSLATE_NOOP("Command", "Play before start"),
         QT_TRANSLATE_NOOP("Command", "Play the half second before the selection"), "Z"},
        {kPlayAfterStart, EdgePlay::AfterStart, QT_TRANSLATE_NOOP("Command", "Play start"),
         QT_TRANSLATE_NOOP("Command", "Play the first half second of the selection"), "X"},
        {kPlayBeforeEnd, EdgePlay::BeforeEnd, QT_TRANSLATE_NOOP("Command", "Play end"),
         QT_TRANSLATE_NOOP("Command", "Play the last half second of the selection"), "C"},
        {kPlayAfterEnd, EdgePlay::AfterEnd, QT_TRANSLATE_NOOP("Command", "Play after end"),
         QT_TRANSLATE_NOOP("Command", "Play the half second after the selection"), "V"},
    };
    int place = 201;
    for (const auto& e : edges) {
        table.Add({.id = e.id,
                   .text = e.text,
                   .prompt = e.prompt,
                   .tooltip = e.text,
                   .keys = {e.key},
                   .menu = Menu::Play,
                   .menuPlace = place++,
                   .handler = [&transport, edge = e.edge] { transport.PlayEdge(edge); },
                   .rule = hasSamples});
    }
}
