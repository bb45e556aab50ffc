#pragma once

#include "ControlMainDelegate.h"
#include "ProjectDataMainDelegate.h"

// The main-window services for work without a window: the command-line tool, rendering
// and tests. Zoom and the shown element are kept; the tree and panes do not exist.
class HeadlessMainDelegate : public ProjectDataMainDelegate, public ControlMainDelegate {
public:
    double zoom = 1.0;
    XControl* propertyElement = nullptr;

    // ProjectDataMainDelegate
    void AddTreeItem(ProjectData*, XControl*, const QString&, int, int) override {}
    XControl* CreateElement(int typeNumber) override;
    ControlMainDelegate* AsControlMainDelegate() override { return this; }

    // ControlMainDelegate
    int ScaleLength(int n) const override;
    QPoint MapPoint(int x, int y) const override;
    IntRect MapRect(int left, int top, int right, int bottom) const override;
    using ControlMainDelegate::MapRect;
    void UpdateTreeItem(XControl*) override {}
    void SelectElement(XControl* element) override;
    QObject* GetMainFrame() override { return nullptr; }
    void RemoveTreeItem(XControl*) override {}
    const char* GetPngEncoder() const override { return "png"; }
    InterlockDlgMainDelegate* AsInterlockDlgMainDelegate() override { return nullptr; }
    XControl* GetPropertyElement() const override { return propertyElement; }
    void ClearProperties() override { propertyElement = nullptr; }
    void ShowProperties(XControl* element) override { propertyElement = element; }
    void RefillProperties() override {}
    XControl* DuplicateElement(XControl* element, bool withIdentity) override;
    void ClosePageView(XPage*) override {}
};
