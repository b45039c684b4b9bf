// Zoom in and out: the strip state changes, the view follows.
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "geometry/StripState.h"
#include "geometry/ViewGeometry.h"
#include "geometry/Zoom.h"

void AddZoomCommands(CommandTable& table, const CommandContext& c) {
    using namespace CommandId;
    StripState& strip = c.strip;
    table.Add({.id = kZoomOut,
               .text = QT_TRANSLATE_NOOP("Command", "Zoom out"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Zoom out"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Zoom out"),
               .keys = {"Ctrl+-"},
               .icon = "zoom-out",
               .menu = Menu::View,
               .menuPlace = 202,
               .toolPlace = 104,
               .handler = [&strip] { strip.SetZoom(ZoomOut(strip.Zoom())); },
               .rule = EnabledWhile([&strip] { return strip.Zoom() < kMaxZoom; })});
    table.Add({.id = kZoomIn,
               .text = QT_TRANSLATE_NOOP("Command", "Zoom in"),
               .prompt = QT_TRANSLATE_NOOP("Command", "Zoom in"),
               .tooltip = QT_TRANSLATE_NOOP("Command", "Zoom in"),
               .keys = {"Ctrl++", "Ctrl+="},
               .icon = "zoom-in",
               .menu = Menu::View,
               .menuPlace = 201,
               .toolPlace = 105,
               .handler = [&strip] { strip.SetZoom(ZoomIn(strip.Zoom())); },
               .rule = EnabledWhile([&strip] { return strip.Zoom() > kMinZoom; })});
}
