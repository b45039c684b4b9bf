#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

/// What a command looks like now: whether it may run, for the bar toggles whether it shows
/// a check mark, and a status-bar prompt of the moment ("Undo Cut") in place of its own.
struct CommandState {
    bool enabled = false;
    std::optional<bool> checked;
    std::optional<QString> statusTip;

    bool operator==(const CommandState&) const = default;
};

/// The state of a bar toggle: always enabled, checked while its bar shows.
inline CommandState ToggleState(bool checked) {
    return {true, checked, std::nullopt};
}

/// The menus of the menu bar, left to right.
enum class Menu { None, File, Edit, View, Play, Cues, Help };

/// One command, whole: how it shows itself, where it stands, when it may run and what it
/// does. The texts are source texts of the "Command" translation context.
struct Command {
    using Handler = std::function<void()>;
    using Rule = std::function<CommandState()>;

    /// Its identifier; 0 for a command without a number of its own, which the table gives one.
    int id = 0;
    /// What `tarn-cli edit` calls it; empty when it is no operation there.
    const char* name = "";
    /// Menu text, a tab before the shortcut it shows.
    const char* text = "";
    /// Status-bar prompt.
    const char* prompt = "";
    /// Tooltip; empty: the menu text.
    const char* tooltip = "";
    /// Keys, as key-sequence texts; the first is the one tooltips name.
    QStringList keys = {};
    /// Toolbar icon, a resource name under :/icons; empty when it has no button.
    const char* icon = "";
    /// The menu it belongs to (also where the keyboard list puts it).
    Menu menu = Menu::None;
    /// Place in its menu and on the toolbar (0: not there): the hundreds are the group, with
    /// a separator between groups, the rest the order within it.
    int menuPlace = 0;
    int toolPlace = 0;
    Handler handler = {};
    /// Const predicate on state; none: enabled while there is a handler.
    Rule rule = {};
    bool checkable = false;
    /// The key the tooltip names when the command has none of its own (Play names the Space
    /// of "Play or stop").
    const char* tooltipKeys = "";
};

/// A rule that only enables or disables.
Command::Rule EnabledWhile(std::function<bool()> enabled);

/// Every command of a program, each in one row that its owner adds.
class CommandTable {
public:
    /// Adds `command`, a row with the same identifier replaced, and returns its identifier.
    int Add(Command command);

    const std::vector<Command>& Rows() const { return m_rows; }
    const Command* Find(int id) const;
    /// The row `tarn-cli edit` knows as `name`.
    const Command* FindByName(const QString& name) const;

    /// A command without a row or a handler is disabled.
    CommandState State(int id) const;
    /// Runs the handler of `id` if the command is enabled; returns whether it ran.
    bool Execute(int id) const;

private:
    /// The numbers the table gives lie between the program's own commands and the standard
    /// ones.
    static constexpr int kFirstGivenId = 40000;

    std::vector<Command> m_rows;
    int m_nNextId = kFirstGivenId;
};

/// Marks a separator in the layouts below.
constexpr int kSeparator = 0;
/// Marks where the recent files stand in the File menu.
constexpr int kRecentFiles = -1;
/// The place of the recent files in the File menu: a group of their own.
constexpr int kRecentFilesPlace = 200;

struct MenuLayout {
    Menu menu = Menu::None;
    /// Source text of its title ("Command" context).
    const char* title = "";
    std::vector<int> items;
};
/// The menu bar, left to right, from the rows' places.
std::vector<MenuLayout> MenuBarLayout(const CommandTable& table);
/// The toolbar, left to right, from the rows' places.
std::vector<int> ToolBarLayout(const CommandTable& table);
