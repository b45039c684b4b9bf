#include "commands/ShortcutList.h"

#include "commands/CommandTable.h"

#include <QtGlobal>

#include <algorithm>
#include <utility>

namespace {

/// The gestures of the waveform view, in the order a person meets them.
const char* const kGestures[][2] = {
    {QT_TRANSLATE_NOOP("Shortcuts", "Left click"),
     QT_TRANSLATE_NOOP("Shortcuts", "Move the selection's start there and play two seconds")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Right click"),
     QT_TRANSLATE_NOOP("Shortcuts", "Move the selection's end there and play up to it")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Ctrl+left click / Ctrl+right click"),
     QT_TRANSLATE_NOOP("Shortcuts", "Select from the start / to the end of the recording")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Shift+left click"),
     QT_TRANSLATE_NOOP("Shortcuts", "Move the nearer edge of the selection there")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Left drag"),
     QT_TRANSLATE_NOOP("Shortcuts", "Select from where the button went down to where it comes up")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Click on a cue"),
     QT_TRANSLATE_NOOP("Shortcuts", "Make it current, select and play it")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Double click on a cue"),
     QT_TRANSLATE_NOOP("Shortcuts", "Edit its text")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Drag a cue's left or right edge"),
     QT_TRANSLATE_NOOP("Shortcuts", "Move its start or end; edges snap to other cues and the "
                                    "selection")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Drag inside a cue"),
     QT_TRANSLATE_NOOP("Shortcuts", "Move the whole cue")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Alt while dragging a cue"),
     QT_TRANSLATE_NOOP("Shortcuts", "No snapping")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Wheel"), QT_TRANSLATE_NOOP("Shortcuts", "Scroll")},
    {QT_TRANSLATE_NOOP("Shortcuts", "Ctrl+wheel"),
     QT_TRANSLATE_NOOP("Shortcuts", "Zoom in or out around the pointer")},
};

} // namespace

std::vector<ShortcutEntry> ShortcutList(const CommandTable& table) {
    std::vector<const Command*> keyed;
    for (const Command& row : table.Rows()) {
        if (!row.keys.isEmpty()) {
            keyed.push_back(&row);
        }
    }
    // Rows of a menu that do not show in it come after those that do.
    const auto order = [](const Command* row) {
        const int menu = row->menu == Menu::None ? int(Menu::Help) + 1 : int(row->menu);
        return std::pair(menu, row->menuPlace > 0 ? row->menuPlace : 1000);
    };
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&order](const Command* a, const Command* b) { return order(a) < order(b); });
    std::vector<ShortcutEntry> list;
    for (const Command* row : keyed) {
        const char* what = *row->prompt != '\0' ? row->prompt : row->text;
        list.push_back({row->keys, QString::fromUtf8(what), "Command"});
    }
    for (const auto& gesture : kGestures) {
        list.push_back(
            {{QString::fromUtf8(gesture[0])}, QString::fromUtf8(gesture[1]), "Shortcuts"});
    }
    return list;
}
