#include "commands/CommandRouter.h"

void CommandTable::Enable(int id, std::function<bool()> enabled) {
    Update(id, [enabled = std::move(enabled)] {
        return CommandState{enabled(), std::nullopt, std::nullopt};
    });
}

const CommandTable::Handler* CommandTable::FindHandler(int id) const {
    const auto it = m_handlers.find(id);
    return it == m_handlers.end() ? nullptr : &it->second;
}

const CommandTable::Rule* CommandTable::FindRule(int id) const {
    const auto it = m_rules.find(id);
    return it == m_rules.end() ? nullptr : &it->second;
}

const CommandTable::Handler* CommandRouter::FindHandler(int id) const {
    for (const CommandTable* table : m_route) {
        if (const CommandTable::Handler* handler = table->FindHandler(id)) {
            return handler;
        }
    }
    return nullptr;
}

CommandState CommandRouter::State(int id) const {
    for (const CommandTable* table : m_route) {
        if (const CommandTable::Rule* rule = table->FindRule(id)) {
            return (*rule)();
        }
    }
    return {FindHandler(id) != nullptr, std::nullopt, std::nullopt};
}

bool CommandRouter::Execute(int id) const {
    const CommandTable::Handler* handler = FindHandler(id);
    if (!handler || !State(id).enabled) {
        return false;
    }
    (*handler)();
    return true;
}
