#pragma once

#include "model/PropertyGridModel.h"

#include <QPointer>
#include <QTreeWidget>

#include <deque>

class QLabel;

// What the grid hands on, always from the event loop with no editor in the middle of
// closing, and with rows that stay alive for the whole call.
class PropertyGridListener {
public:
    virtual ~PropertyGridListener() = default;
    // The user changed a row's value; the receiver hands it to the element.
    virtual void PropertyEdited(CMFCMyPropertyGridProperty& property) = 0;
    // A row's button or a double click on it: whether the element took it.
    virtual bool PropertyButton(CMFCMyPropertyGridProperty& property) = 0;
};

// The property grid: the rows an element put into a PropertyGridModel, by group, with
// typed in-place editors in the value column (text, integer, option list, colour, font
// family, and a button for rows that have one), modified values in bold, placeholders in
// grey, long values cut with an ellipsis and shown whole in a tool tip, and the current
// row's caption and description in the description area below.
//
// The lifetime rule: a row is never freed while something holds it. Items, editors and
// queued work keep only a row's data value and find the row again by it; the model is
// refilled only while the grid is idle (no editor open, no queued work), so a refill asked
// for during an edit or a commit waits for the Idle signal; and a value is committed from
// the event loop after its editor has closed, so no modal dialog (a range message, a
// chooser, the colour or interlock dialog) opens inside the delegate's commit or inside an
// editor's signal handler.
class CMFCMyPropertyGridCtrl : public QTreeWidget, public PropertyGridObserver {
    Q_OBJECT
public:
    static constexpr int kDescriptionHeight = 200;

    explicit CMFCMyPropertyGridCtrl(QWidget* parent = nullptr);
    ~CMFCMyPropertyGridCtrl() override;

    void SetListener(PropertyGridListener* l) { listener = l; }
    // Shows the model's rows (after a fill); the model must outlive the grid's use of it.
    // Only while the grid is idle.
    void SetModel(PropertyGridModel* model);
    // Rebuilds the items from the model's rows.
    void Rebuild();
    // The area that shows the current row's caption and description.
    QLabel* DescriptionArea() const { return description; }

    // The row an item stands for in the present model, or null.
    CMFCMyPropertyGridProperty* PropertyAt(const QModelIndex& index) const;
    CMFCMyPropertyGridProperty* CurrentProperty() const;
    // The value text a row shows ("R, G, B" for colours).
    static QString ValueText(const CMFCMyPropertyGridProperty& property);

    // An editor is open, or work it left has not run yet: the model must stay as it is.
    bool IsBusy() const { return openEditor || !queue.empty() || running; }
    bool IsEditing() const { return openEditor; }
    bool IsCommitting() const { return running; }
    // Ends an open editor as leaving it would (its value is queued); the work runs later.
    void EndEditor();
    // EndEditor, then runs the queued work now: before a command that must see the value.
    void FinishEdit();
    // Drops the open editor and the queued work unapplied (the element is going away).
    void AbandonEdit();

    // The editors' side: each only queues; the work runs once the editor has closed.
    void EditorOpened(QWidget* editor) { openEditor = editor; }
    bool IsOpenEditor(const QWidget* editor) const { return editor && openEditor == editor; }
    void QueueValue(quint32 id, const QVariant& value);
    void QueueColourChoice(quint32 id, COLORREF start);
    void QueueButton(quint32 id);

    // PropertyGridObserver
    void PropertyValueSet(CMFCMyPropertyGridProperty* property) override;

Q_SIGNALS:
    // The last queued work has run and no editor is open: a waiting refill may go ahead.
    void Idle();

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Work {
        enum Kind { Value, ChooseColour, Button, DoubleClick } kind;
        quint32 id;
        QVariant value;
    };

    void Queue(Work work);
    void ScheduleRun();
    void RunQueued();
    void Run(const Work& work);
    // The grid's own double-click behaviour for a row the element did not take.
    void StepOrEdit(quint32 id);
    CMFCMyPropertyGridProperty* Find(quint32 id) const;
    void Commit(CMFCMyPropertyGridProperty& property, const QVariant& value);
    // The caption column as wide as its longest caption, within bounds.
    void FitCaptions();
    void AddItems(QTreeWidgetItem* parent, const CMFCMyPropertyGridProperty& property);
    void ShowValue(QTreeWidgetItem* item, const CMFCMyPropertyGridProperty& property);
    QTreeWidgetItem* ItemFor(quint32 id) const;
    void OnCurrentChanged(QTreeWidgetItem* item);

    PropertyGridModel* model = nullptr;
    PropertyGridListener* listener = nullptr;
    QLabel* description;
    QPointer<QWidget> openEditor;
    std::deque<Work> queue;
    bool running = false;
    bool runScheduled = false;
    bool fittingCaptions = false;
    bool captionsSizedByUser = false;
};
