#pragma once

#include <QString>

class XPage;

// What the interlock management dialog needs of the main frame, in slot order.
class InterlockDlgMainDelegate {
public:
    virtual ~InterlockDlgMainDelegate() = default;
    virtual void SetInterlockBrush(XPage* page, const QString& groupName) = 0;
    virtual void SetDesignMode(int mode) = 0; // 106 = interlock assignment
};
