#pragma once

class CMFCMyPropertyGridProperty;

// What the property pane asks of the main frame.
class PropertyViewParentDelegate {
public:
    virtual ~PropertyViewParentDelegate() = default;
    // A property of the shown element was edited in the grid.
    virtual void PropertyChanged(CMFCMyPropertyGridProperty& property) = 0;
    // A property's button was pressed or the property double-clicked: whether its owner
    // took it (OnPropertyButton); if not, the grid's own double-click behaviour applies.
    virtual bool PropertyButton(CMFCMyPropertyGridProperty& property) = 0;
};
