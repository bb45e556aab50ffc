#include "CommandTable.h"

void CommandTable::Add(int id, Command command)
{
    if (commands.find(id) == commands.end())
        order.push_back(id);
    commands[id] = std::move(command);
}

bool CommandTable::Contains(int id) const
{
    return commands.find(id) != commands.end();
}

bool CommandTable::IsEnabled(int id) const
{
    const auto it = commands.find(id);
    return it != commands.end() && (!it->second.enabled || it->second.enabled());
}

bool CommandTable::IsChecked(int id) const
{
    const auto it = commands.find(id);
    return it != commands.end() && it->second.checked && it->second.checked();
}

bool CommandTable::Run(int id) const
{
    if (!IsEnabled(id))
        return false;
    const Command& command = commands.at(id);
    if (command.run)
        command.run();
    return true;
}
