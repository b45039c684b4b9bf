#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <unordered_map>
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

/// One class's commands: a handler and/or an enabling rule per identifier.
/// Rules are const predicates on state: they must not change anything.
class CommandTable {
public:
    using Handler = std::function<void()>;
    using Rule = std::function<CommandState()>;

    void On(int id, Handler handler) { m_handlers[id] = std::move(handler); }
    void Update(int id, Rule rule) { m_rules[id] = std::move(rule); }
    /// A rule that only enables or disables.
    void Enable(int id, std::function<bool()> enabled);

    const Handler* FindHandler(int id) const;
    const Rule* FindRule(int id) const;

private:
    std::unordered_map<int, Handler> m_handlers;
    std::unordered_map<int, Rule> m_rules;
};

/// Walks the tables in order (view, document, frame, application) for handlers and rules
/// alike: the first table with a rule decides a command's state; a command with a handler
/// and no rule anywhere is enabled; a command with neither is disabled.
class CommandRouter {
public:
    void SetRoute(std::vector<const CommandTable*> tables) { m_route = std::move(tables); }

    CommandState State(int id) const;
    /// Runs the first handler of `id` if the command is enabled; returns whether it ran.
    bool Execute(int id) const;

private:
    const CommandTable::Handler* FindHandler(int id) const;

    std::vector<const CommandTable*> m_route;
};
