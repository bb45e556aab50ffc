#pragma once

#include "base/IntRect.h"

#include <memory>
#include <vector>

class XControl;
class XPage;

// An undo step's part. Commands are symmetric: Execute swaps the state they hold with
// the present state, so the same call serves undo and redo.
class TActionCommand {
public:
    virtual ~TActionCommand() = default;
    virtual void Execute() = 0;
};

// One user action: the commands that undo and redo together, owned by the group.
class TActionCommands {
public:
    void Add(TActionCommand* command) { commands.emplace_back(command); }
    bool IsEmpty() const { return commands.empty(); }
    int Count() const { return static_cast<int>(commands.size()); }
    TActionCommand* At(int i) const { return commands[static_cast<size_t>(i)].get(); }
    void Execute();

private:
    std::vector<std::unique_ptr<TActionCommand>> commands;
};

// Any change of a control's properties: holds a full copy of the other state.
class TControlChangeCommand : public TActionCommand {
public:
    TControlChangeCommand(XControl* snapshot, XControl* control);
    ~TControlChangeCommand() override;
    void Execute() override;

    const XControl* Snapshot() const { return snapshot; }
    XControl* Control() const { return control; }

private:
    XControl* snapshot; // owned
    XControl* control;  // the live control on its page
};

// A control added to or removed from a page. While pendingAdd is true the control is
// off the page and the command owns it.
class TControlExistCommand : public TActionCommand {
public:
    TControlExistCommand(XControl* control, XPage* page, bool pendingAdd);
    ~TControlExistCommand() override;
    void Execute() override;

    XControl* Control() const { return control; }
    bool PendingAdd() const { return pendingAdd; }

private:
    bool pendingAdd;
    XControl* control;
    XPage* page;
};

struct MOVECONTROL {
    XControl* control;
    IntRect rect; // ordered; what the next Execute gives the control
};

// Positions and sizes of several controls.
class TControlMoveCommand : public TActionCommand {
public:
    explicit TControlMoveCommand(XPage* page) : page(page) {}
    void AddEntry(XControl* control, const IntRect& rect) { entries.push_back({control, rect}); }
    void Execute() override;
    const std::vector<MOVECONTROL>& Entries() const { return entries; }

private:
    XPage* page;
    std::vector<MOVECONTROL> entries;
};
