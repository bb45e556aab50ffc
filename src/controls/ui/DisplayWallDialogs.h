#pragma once

#include "ControlDialogs.h"

// The dialogs of the display walls, filed by RegisterControlDialogs: "displaywallscreen"
// and "ipgroup" (controls/DisplayWallDialogRequests.h) and "address"
// (model/BrushDialogRequests.h, also the address brush's dialog).
void RegisterDisplayWallDialogs(const std::function<void(const QString& name, DialogRunner runner)>& add,
                                const std::function<QWidget*()>& owner);
