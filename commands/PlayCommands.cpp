// Play, stop, the edge plays, the speed and the loop.
#include "audio/Transport.h"
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"

namespace {

/// The speed every play starts at, in tenths.
void AddSpeedCommands(CommandTable& table, Transport& transport) {
    using namespace CommandId;
    const struct {
        int id;
        const char* text;
        const char* prompt;
        QStringList keys;
        int step;
    } speeds[] = {
        {kSlower,
         QT_TRANSLATE_NOOP("Command", "Slower"),
         QT_TRANSLATE_NOOP("Command", "Play a tenth slower, the pitch kept"),
         {"-"},
         -1},
        {kFaster,
         QT_TRANSLATE_NOOP("Command", "Faster"),
         QT_TRANSLATE_NOOP("Command", "Play a tenth faster, the pitch kept"),
         {"=", "+"},
         1},
        {kNormalSpeed,
         QT_TRANSLATE_NOOP("Command", "Normal speed"),
         QT_TRANSLATE_NOOP("Command", "Play at the recorded speed"),
         {"0"},
         0},
    };
    int place = 301;
    for (const auto& s : speeds) {
        const auto target = [&transport, step = s.step] {
            return step == 0 ? PlaySpeed::kNormal : transport.SpeedTenths() + step;
        };
        table.Add({.id = s.id,
                   .text = s.text,
                   .prompt = s.prompt,
                   .keys = s.keys,
                   .menu = Menu::Play,
                   .menuPlace = place++,
                   .handler = [&transport, target] { transport.SetSpeedTenths(target()); },
                   .rule = EnabledWhile([&transport, target] {
                       const int speed = target();
                       return speed != transport.SpeedTenths() && speed >= PlaySpeed::kSlowest &&
                              speed <= PlaySpeed::kFastest;
                   })});
    }
}

} // namespace

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
    table.Add(
        {.id = kLoop,
         .text = QT_TRANSLATE_NOOP("Command", "Loop"),
         .prompt = QT_TRANSLATE_NOOP("Command", "Play the selection over and over until stopped"),
         .keys = {"L"},
         .menu = Menu::Play,
         .menuPlace = 104,
         .handler = [&transport] { transport.SetLooping(!transport.IsLooping()); },
         .rule = [&transport] { return ToggleState(transport.IsLooping()); },
         .checkable = true});

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
    AddSpeedCommands(table, transport);
}
