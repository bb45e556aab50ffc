#pragma once

#include "ElementTypes.h"
#include "XControl.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class JsonFields;
class PageWindow;
class TActionCommand;
class TActionCommands;

// One full screen of the panel: its background, its controls in stacking order (the
// last drawn on top), its interlock groups and its own undo and redo history.
class XPage : public XControl {
public:
    static constexpr int kUndoLimit = 20;

    XPage();
    ~XPage() override;

    int GetType() const override { return ElementType::kPage; }
    void FillProperties(PropertyGridModel& grid) override;
    bool OnPropertyChanged(CMFCMyPropertyGridProperty& property) override;
    const FieldTable* Fields() const override;
    void Draw(QPainter& dc) override;
    // The first part of Draw: the page's own background, before any control.
    void DrawBackground(QPainter& dc) const;
    void Refresh() override {}
    bool Rename(const QString& newName) override;
    void ResolveReferences() override;
    void CopyFrom(const XControl& other, bool withIdentity) override;

    // Controls
    // Links the control, appends it on top and names it: preferredName while no other
    // control of the page bears it (text images and references go by the name), else the
    // first free name of its type.
    void AddControl(XControl* control, const QString& preferredName = QString());
    void RemoveControl(XControl* control);
    XControl* FindControl(const QString& controlName) const;
    // The topmost visible control under the point; with skipLocked, locked controls are
    // looked through.
    XControl* ControlAt(QPoint point, bool skipLocked = false) const;
    void SelectOnly(XControl* control);
    void SelectAll();
    void DeselectAll();
    int SelectedCount() const;
    XControl* FirstSelected() const;
    QList<XControl*> Selected() const;
    void MoveSelected(int dx, int dy);
    void MoveSelectedBy(int amount, bool vertical);
    bool RaiseControl(XControl* control);
    bool LowerControl(XControl* control);
    void MoveControlAfter(XControl* control, XControl* other);
    QString UniqueControlName(int typeNumber) const;
    void FillSliderOptions(CMFCMyPropertyGridProperty& property) const;

    // Interlock groups; entries are stable, so members can point at the name. A removed
    // group's entry is retired rather than freed, so a pointer kept by a removed control or
    // an undo snapshot never dangles and never aliases a later group: IsGroupEntry tells
    // whether it still names a live group.
    QString* AddGroup(const QString& groupName);
    QString* FindGroup(const QString& groupName) const;
    bool RemoveGroup(const QString& groupName);
    bool IsGroupEntry(const QString* entry) const;
    QStringList GroupNames() const;

    // Undo and redo
    void PushCommand(TActionCommand* command);
    void PushCommands(TActionCommands* group);
    void Undo();
    void Redo();
    bool CanUndo() const { return !undoList.isEmpty(); }
    bool CanRedo() const { return !redoList.isEmpty(); }
    int UndoCount() const { return static_cast<int>(undoList.size()); }
    int RedoCount() const { return static_cast<int>(redoList.size()); }
    void BeginMove();
    void EndMove();
    int DuplicateSelection();
    bool DeleteSelection();
    bool SetSelectionActive(int flag);
    // Controls kept by the undo and redo lists (snapshots, removed controls) drop their
    // references to a page or an interlock group that is going away.
    void ForgetPageInHistory(const XPage* target);
    void ForgetGroupInHistory(const QString* group);

    IntRect PageBounds() const { return Bounds(); }

    // Identity of this page object for the life of the process, never reused: references
    // kept by controls and their undo snapshots find the page by it without holding a
    // pointer that could dangle once the page is deleted.
    const quint64 serial;

    // Grows with every change of the page or its controls that marks the project changed:
    // whoever reads the project compares it to read again only the pages that changed.
    quint64 revision = 0;
    PageWindow* window = nullptr;
    COLORREF backgroundColor = 0xFFFFFF;
    QList<XControl*> controls;
    std::vector<std::unique_ptr<QString>> interlockGroups;
    QList<TActionCommands*> undoList;
    QList<TActionCommands*> redoList;
    std::vector<std::unique_ptr<QString>> retiredGroups;
    int runtimeValue = 0;
    int runtimeFlag = 1;

protected:
    bool IsSubPage() const { return GetType() == ElementType::kSubPage; }

private:
    // The two lists at the end of the record.
    bool SaveGroups(MyFile& file) const;
    void LoadGroups(MyFile& file);
    bool SaveControls(MyFile& file) const;
    void LoadControls(MyFile& file);
    void TakeGroups(JsonFields& fields);
    void TakeControls(JsonFields& fields);
    void LinkControl(XControl* control);
    static void PushLimited(QList<TActionCommands*>& list, TActionCommands* group);
    static void DeleteGroups(QList<TActionCommands*>& list);
    void ForEachHistoryControl(const std::function<void(XControl*)>& fn) const;
};

class XSubPage : public XPage {
public:
    int GetType() const override { return ElementType::kSubPage; }
};
