#pragma once

class CMFCMyPropertyGridProperty;

// What the property pane asks of the main frame.
class PropertyViewParentDelegate {
public:
    virtual ~PropertyViewParentDelegate() = default;
    // A property of the current control was edited in the grid.
    virtual void PropertyChanged(CMFCMyPropertyGridProperty& property) = 0;
};
