#pragma once

#include "CMFCMyPropertyGridCtrl.h"

#include <QDockWidget>

class CMFCMyPropertyGridProperty;
class PropertyGridModel;
class PropertyViewParentDelegate;

// The docked property pane: the grid with the current element's rows and the
// description area. An edited row and a row's button go to the delegate (the main frame),
// which hands them to the element.
class CPropertyView : public QDockWidget, public PropertyGridListener {
    Q_OBJECT
public:
    explicit CPropertyView(QWidget* parent = nullptr);

    void SetDelegate(PropertyViewParentDelegate* d) { delegate = d; }
    // Shows the rows of the model (after a fill); an empty model empties the pane.
    void ShowModel(PropertyGridModel& model);
    CMFCMyPropertyGridCtrl* Grid() const { return grid; }
    // Caption and value text of every row, in order (groups included).
    QStringList RowTexts() const;
    // Whether widget is (in) an open value editor of the grid.
    bool IsInEditor(const QWidget* widget) const;

    // PropertyGridListener
    void PropertyEdited(CMFCMyPropertyGridProperty& property) override;
    bool PropertyButton(CMFCMyPropertyGridProperty& property) override;

private:
    CMFCMyPropertyGridCtrl* grid;
    PropertyViewParentDelegate* delegate = nullptr;
};
