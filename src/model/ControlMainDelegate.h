#pragma once

#include "base/IntRect.h"

#include <QPoint>
#include <QString>

class InterlockDlgMainDelegate;
class ProjectData;
class QObject;
class XControl;
class XPage;

// The main window's services to every element, in slot order.
class ControlMainDelegate {
public:
    virtual ~ControlMainDelegate() = default;

    virtual int ScaleLength(int n) const = 0;                       // n × zoom, truncated
    virtual QPoint MapPoint(int x, int y) const = 0;                // page to view
    virtual IntRect MapRect(int left, int top, int right, int bottom) const = 0;
    // element null with type 100 inserts the project's root item
    virtual void AddTreeItem(ProjectData* project, XControl* element, const QString& name, int type,
                             int flags) = 0;
    virtual void UpdateTreeItem(XControl* element) = 0;
    virtual void SelectElement(XControl* element) = 0;
    virtual QObject* GetMainFrame() = 0;
    virtual void RemoveTreeItem(XControl* element) = 0;
    virtual const char* GetPngEncoder() const = 0;                  // image format name, or null
    virtual InterlockDlgMainDelegate* AsInterlockDlgMainDelegate() = 0;
    virtual XControl* GetPropertyElement() const = 0;
    virtual void ClearProperties() = 0;
    virtual void ShowProperties(XControl* element) = 0;
    virtual void RefillProperties() = 0;
    virtual XControl* DuplicateElement(XControl* element, bool withIdentity) = 0;
    virtual void ClosePageView(XPage* page) = 0;

    IntRect MapRect(const IntRect& r) const { return MapRect(r.left, r.top, r.right, r.bottom); }
};
