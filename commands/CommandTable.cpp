#include "commands/CommandTable.h"

#include <QtGlobal>

#include <algorithm>

Command::Rule EnabledWhile(std::function<bool()> enabled) {
    return [enabled = std::move(enabled)] { return CommandState{enabled(), {}, {}}; };
}

int CommandTable::Add(Command command) {
    if (command.id == 0) {
        command.id = m_nNextId++;
    }
    const int id = command.id;
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [&command](const Command& row) { return row.id == command.id; });
    if (it != m_rows.end()) {
        *it = std::move(command);
    } else {
        m_rows.push_back(std::move(command));
    }
    return id;
}

const Command* CommandTable::Find(int id) const {
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [id](const Command& row) { return row.id == id; });
    return it == m_rows.end() ? nullptr : &*it;
}

const Command* CommandTable::FindByName(const QString& name) const {
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), [&name](const Command& row) {
        return *row.name != '\0' && name == QLatin1String(row.name);
    });
    return it == m_rows.end() ? nullptr : &*it;
}

CommandState CommandTable::State(int id) const {
    const Command* row = Find(id);
    if (row == nullptr) {
        return {};
    }
    if (row->rule) {
        return row->rule();
    }
    return {bool(row->handler), {}, {}};
}

bool CommandTable::Execute(int id) const {
    const Command* row = Find(id);
    if (row == nullptr || !row->handler || !State(id).enabled) {
        return false;
    }
    // A copy: the handler may replace rows (the recent files) while it runs.
    const Command::Handler handler = row->handler;
    handler();
    return true;
}

namespace {

/// The rows placed by `place` (0: not placed), in their order, with a separator between
/// groups.
std::vector<int> Layout(std::vector<std::pair<int, int>> placed) {
    std::sort(placed.begin(), placed.end());
    std::vector<int> items;
    int group = -1;
    for (const auto& [place, id] : placed) {
        if (group >= 0 && place / 100 != group) {
            items.push_back(kSeparator);
        }
        group = place / 100;
        items.push_back(id);
    }
    return items;
}

} // namespace

std::vector<MenuLayout> MenuBarLayout(const CommandTable& table) {
    std::vector<MenuLayout> layout = {
        {Menu::File, QT_TRANSLATE_NOOP("Command", "文件(&F)"), {}},
        {Menu::Edit, QT_TRANSLATE_NOOP("Command", "编辑(&E)"), {}},
        {Menu::View, QT_TRANSLATE_NOOP("Command", "视图(&V)"), {}},
        {Menu::Play, QT_TRANSLATE_NOOP("Command", "Play"), {}},
        {Menu::Cues, QT_TRANSLATE_NOOP("Command", "Cues"), {}},
        {Menu::Help, QT_TRANSLATE_NOOP("Command", "帮助(&H)"), {}},
    };
    for (MenuLayout& menu : layout) {
        std::vector<std::pair<int, int>> placed;
        for (const Command& row : table.Rows()) {
            if (row.menu == menu.menu && row.menuPlace > 0) {
                placed.emplace_back(row.menuPlace, row.id);
            }
        }
        if (menu.menu == Menu::File) {
            placed.emplace_back(kRecentFilesPlace, kRecentFiles);
        }
        menu.items = Layout(std::move(placed));
    }
    return layout;
}

std::vector<int> ToolBarLayout(const CommandTable& table) {
    std::vector<std::pair<int, int>> placed;
    for (const Command& row : table.Rows()) {
        if (row.toolPlace > 0) {
            placed.emplace_back(row.toolPlace, row.id);
        }
    }
    return Layout(std::move(placed));
}
