#pragma once

#include <QString>

class ControlMainDelegate;
class ProjectData;
class XControl;

// What a project asks of the main frame, in slot order.
class ProjectDataMainDelegate {
public:
    virtual ~ProjectDataMainDelegate() = default;

    virtual void AddTreeItem(ProjectData* project, XControl* element, const QString& name, int type,
                             int flags) = 0;
    virtual XControl* CreateElement(int typeNumber) = 0;
    virtual ControlMainDelegate* AsControlMainDelegate() = 0;
};
