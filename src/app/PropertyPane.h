#pragma once

#include "model/PropertyGridModel.h"

#include <QDockWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The docked property pane: the rows that the current element's FillProperties put into
// the grid model, shown read-only by group, with the selected row's description below.
class PropertyPane : public QDockWidget, public PropertyGridObserver {
    Q_OBJECT
public:
    explicit PropertyPane(QWidget* parent = nullptr);

    // Shows the rows of the model (after a fill); an empty model empties the pane.
    void ShowModel(const PropertyGridModel& model);
    void Clear();

    QTreeWidget* Grid() const { return grid; }
    // Caption and value text of every row, in order (groups included), for tests and
    // the accessibility of the read-only pane.
    QStringList RowTexts() const;

    // PropertyGridObserver
    void PropertyValueSet(CMFCMyPropertyGridProperty* property) override;

private:
    void AddRows(QTreeWidgetItem* parent, const CMFCMyPropertyGridProperty& property);
    void ShowValue(QTreeWidgetItem* item, const CMFCMyPropertyGridProperty& property);
    void OnCurrentChanged(QTreeWidgetItem* item);

    QTreeWidget* grid;
    QLabel* description;
};
