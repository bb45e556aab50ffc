#pragma once

#include <QString>

#include <functional>

class QWidget;

// The dialogs of the control library, run by name through the UI seam: "interlock"
// (InterlockDialogRequest), "sendcode" (SendCodeDialogRequest), "rtspinfo"
// (RtspInfoDialogRequest) and "deviceinfo" (DeviceInfoDialogRequest), declared in
// controls/ControlDialogRequests.h, the stream brush's "stream" (StreamDialogRequest of
// model/BrushDialogRequests.h) and those of the display walls (DisplayWallDialogs.h).
// The application's UI implementation calls this once
// with a function that files each runner under its name; a runner takes the request,
// runs the dialog modally over parent() and returns 1 when it closed by its action.
using DialogRunner = std::function<int(void* request)>;
void RegisterControlDialogs(const std::function<void(const QString& name, DialogRunner runner)>& add,
                            const std::function<QWidget*()>& parent = {});
