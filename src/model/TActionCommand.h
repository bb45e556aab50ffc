#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
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
    // Every control object the command holds that lies on no page (a snapshot, a removed
    // control): references in them must be dropped when their target goes away, since
    // undo can bring them back.
    virtual void ForEachHeldControl(const std::function<void(XControl*)>& fn) const {}
};

// One user action: the commands that undo and redo together, owned by the group.
class TActionCommands {
public:
    void Add(TActionCommand* command)
    {
        if (command)
            commands.emplace_back(command);
    }
    bool IsEmpty() const { return commands.empty(); }
    int Count() const { return static_cast<int>(commands.size()); }
    TActionCommand* At(int i) const { return commands[static_cast<size_t>(i)].get(); }
    void Execute();
    void ForEachHeldControl(const std::function<void(XControl*)>& fn) const;

private:
    std::vector<std::unique_ptr<TActionCommand>> commands;
};

// Any change of a control's properties: holds a full copy of the other state.
class TControlChangeCommand : public TActionCommand {
public:
    TControlChangeCommand(XControl* snapshot, XControl* control);
    ~TControlChangeCommand() override;
    void Execute() override;
    void ForEachHeldControl(const std::function<void(XControl*)>& fn) const override;

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
    // preferredName: the name an added control takes when its page has no control of
    // that name (a paste keeps the copied name); otherwise the first free one.
    TControlExistCommand(XControl* control, XPage* page, bool pendingAdd, const QString& preferredName = QString());
    ~TControlExistCommand() override;
    void Execute() override;
    void ForEachHeldControl(const std::function<void(XControl*)>& fn) const override;

    XControl* Control() const { return control; }
    bool PendingAdd() const { return pendingAdd; }

private:
    bool pendingAdd;
    // The control has been on the page under its present name (it was removed, or added
    // once already), so adding it again keeps that name if it is free.
    bool hasOwnName;
    XControl* control;
    XPage* page;
    QString preferredName;
};

// One control of a move command with the points the next Execute gives it. The points
// are kept as they were, not ordered: a line drawn from bottom-left to top-right would
// otherwise come back as the other diagonal.
struct MOVECONTROL {
    XControl* control;
    qint32 x1, y1, x2, y2;
};

// Positions and sizes of several controls.
class TControlMoveCommand : public TActionCommand {
public:
    explicit TControlMoveCommand(XPage* page) : page(page) {}
    void AddEntry(XControl* control, qint32 x1, qint32 y1, qint32 x2, qint32 y2)
    {
        entries.push_back({control, x1, y1, x2, y2});
    }
    void Execute() override;
    const std::vector<MOVECONTROL>& Entries() const { return entries; }

private:
    XPage* page;
    std::vector<MOVECONTROL> entries;
};
