#pragma once

#include "CMFCMyPropertyGridCtrl.h"

#include <QDockWidget>

class CMFCMyPropertyGridProperty;
class PropertyGridModel;
class PropertyViewParentDelegate;

// The docked property pane: the grid with the current element's rows and the
// description area. An edited row goes to the delegate (the main frame), which hands it
// to the element.
class CPropertyView : public QDockWidget {
    Q_OBJECT
public:
    explicit CPropertyView(QWidget* parent = nullptr);

    void SetDelegate(PropertyViewParentDelegate* d) { delegate = d; }
    // Shows the rows of the model (after a fill); an empty model empties the pane.
    void ShowModel(PropertyGridModel& model);
    void Clear();
    CMFCMyPropertyGridCtrl* Grid() const { return grid; }
    // Caption and value text of every row, in order (groups included).
    QStringList RowTexts() const;

private:
    CMFCMyPropertyGridCtrl* grid;
    PropertyViewParentDelegate* delegate = nullptr;
    PropertyGridModel* shown = nullptr;
};
