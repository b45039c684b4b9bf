#pragma once

#include <QString>
#include <QStringList>

#include <vector>

/// How a command shows itself: its menu text (a tab before the shortcut shown), the
/// status-bar prompt and tooltip, its keys (as key-sequence text) and its toolbar icon.
struct CommandInfo {
    int id = 0;
    QString text;
    QString prompt;
    QString tooltip;
    QStringList shortcuts;
    QString icon; ///< resource name under :/icons, empty when it has no button
    bool checkable = false;
    /// The key the tooltip names when the command has none of its own (Play names the Space
    /// of "Play or stop").
    QString tooltipKeys = {};
};

/// Every command of the program.
const std::vector<CommandInfo>& CommandCatalog();
const CommandInfo* FindCommand(int id);

/// Marks a separator in the layouts below.
constexpr int kSeparator = 0;
/// Marks where the recent files stand in the File menu.
constexpr int kRecentFiles = -1;

struct MenuLayout {
    QString title;
    std::vector<int> items;
};
/// The menu bar, left to right.
const std::vector<MenuLayout>& MenuBarLayout();
/// The toolbar, left to right.
const std::vector<int>& ToolBarLayout();
