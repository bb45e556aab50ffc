#pragma once

#include "model/PropertyGridModel.h"

#include <QTreeWidget>

class QLabel;

// The property grid: the rows an element put into a PropertyGridModel, by group, with
// typed in-place editors in the value column (text, integer, option list, colour, font
// family, and a button for rows that have one), modified values in bold, placeholders in
// grey, long values cut with an ellipsis and shown whole in a tool tip, and the current
// row's caption and description in the description area below.
//
// Items keep a row's data value, never a pointer to it: an edit may make the element
// fill the model again, and the items are then rebuilt from the new rows.
class CMFCMyPropertyGridCtrl : public QTreeWidget, public PropertyGridObserver {
    Q_OBJECT
public:
    static constexpr int kDescriptionHeight = 200;

    explicit CMFCMyPropertyGridCtrl(QWidget* parent = nullptr);
    ~CMFCMyPropertyGridCtrl() override;

    // Shows the model's rows (after a fill); the model must outlive the grid's use of it.
    void SetModel(PropertyGridModel* model);
    // Rebuilds the items from the model's rows; while an edit is being committed this
    // happens right after it.
    void Rebuild();
    // The area that shows the current row's caption and description.
    QLabel* DescriptionArea() const { return description; }

    // The row an item stands for in the present model, or null.
    CMFCMyPropertyGridProperty* PropertyAt(const QModelIndex& index) const;
    CMFCMyPropertyGridProperty* CurrentProperty() const;
    // The value text a row shows ("R, G, B" for colours).
    static QString ValueText(const CMFCMyPropertyGridProperty& property);

    // Called by the editors: the row's new value is in it; the grid tells its listener.
    void CommitEdit(CMFCMyPropertyGridProperty& property, const QVariant& value);
    // A row's button: the owner's OnPropertyButton.
    void PressButton(CMFCMyPropertyGridProperty& property);

    // PropertyGridObserver
    void PropertyValueSet(CMFCMyPropertyGridProperty* property) override;

Q_SIGNALS:
    // The user changed a row's value; the receiver hands it to the element.
    void PropertyEdited(CMFCMyPropertyGridProperty* property);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The caption column as wide as its longest caption, within bounds.
    void FitCaptions();
    void AddItems(QTreeWidgetItem* parent, const CMFCMyPropertyGridProperty& property);
    void ShowValue(QTreeWidgetItem* item, const CMFCMyPropertyGridProperty& property);
    QTreeWidgetItem* ItemFor(const CMFCMyPropertyGridProperty* property) const;
    void OnCurrentChanged(QTreeWidgetItem* item);

    PropertyGridModel* model = nullptr;
    QLabel* description;
    int committing = 0;
    bool rebuildPending = false;
    bool fittingCaptions = false;
    bool captionsSizedByUser = false;
};
