#pragma once

#include "DeviceInfoItem.h"

// What the device-information dialog asks of the control whose device list it edits.
// The dialog changes the list in place through the reference.
class DeviceInfoManageDelegate {
public:
    virtual ~DeviceInfoManageDelegate() = default;
    virtual DeviceInfoList& GetDeviceList() = 0;
};
