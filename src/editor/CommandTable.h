#pragma once

#include <functional>
#include <unordered_map>
#include <vector>

// The commands of the menus and tool bars by identifier: when each is enabled, whether
// it shows checked, and what it does. One entry per command replaces parallel switches
// that had to be kept in step.
class CommandTable {
public:
    using Condition = std::function<bool()>;
    using Action = std::function<void()>;

    struct Command {
        Condition enabled; // empty: always enabled
        Condition checked; // empty: never checked
        Action run;        // empty: does nothing
    };

    // Adds a command or replaces the one with the same identifier.
    void Add(int id, Command command);
    bool Contains(int id) const;
    // Unknown identifiers are disabled and unchecked.
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // Runs the command if it is known and enabled; returns whether it ran.
    bool Run(int id) const;
    // Every identifier, in the order they were added.
    const std::vector<int>& Ids() const { return order; }

private:
    std::unordered_map<int, Command> commands;
    std::vector<int> order;
};
