// Zoom in and out, and going to a time: the strip state changes, the view follows.
#include "commands/CommandIds.h"
#include "commands/CommandTable.h"
#include "commands/CoreCommands.h"
#include "document/CtarnDoc.h"
#include "geometry/StripState.h"
#include "geometry/ViewGeometry.h"
#include "geometry/Zoom.h"
#include "subtitles/TypedTime.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace {

/// Asks for a time and brings it to the middle of the window, the selection an empty one
/// there; a time that cannot be read is refused with the reason.
void OnGoToTime(const CommandContext& c) {
    const std::optional<QString> typed = c.host.AskText(
        QCoreApplication::translate("Message", "Go to time (h:mm:ss.mmm, mm:ss.mmm or seconds)"),
        QString());
    if (!typed) {
        return;
    }
    const TypedTime time = ParseTypedTime(*typed);
    if (!time.ms) {
        c.host.ShowMessage(time.refusal);
        return;
    }
    const Recording& recording = c.doc.GetRecording();
    const qint64 frame = std::min<qint64>(MillisecondsToFrames(*time.ms, recording.SampleRate()),
                                          recording.Frames());
    c.doc.SetSelection(frame, frame);
    const qint64 column = frame / c.strip.Zoom() - c.strip.Width() / 2;
    c.strip.SetScrollPos(int(std::clamp<qint64>(column, 0, std::numeric_limits<int>::max())));
}

} // namespace

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
    table.Add({.text = QT_TRANSLATE_NOOP("Command", "Go to time..."),
               .prompt = QT_TRANSLATE_NOOP("Command", "Bring a time of the recording into view"),
               .keys = {"Ctrl+G"},
               .menu = Menu::View,
               .menuPlace = 205,
               .handler = [c] { OnGoToTime(c); },
               .rule = EnabledWhile([&doc = c.doc] { return doc.GetRecording().Frames() > 0; })});
}
