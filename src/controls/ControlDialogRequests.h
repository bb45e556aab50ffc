#pragma once

#include <QString>

class InterlockDlgMainDelegate;
class SetSendCodeDelegate;
class XPage;

// What code without widgets hands to Ui().RunDialog to run the dialogs of the button
// family, which live in controls/ui. Both return 1 when the dialog closed by its action
// (a group armed for assignment; numbering switched), else 0.

// The interlock management dialog for one page's groups.
struct InterlockDialogRequest {
    static QString Name() { return QStringLiteral("interlock"); }
    XPage* page = nullptr;
    InterlockDlgMainDelegate* delegate = nullptr;
};

// The send-code numbering dialog.
struct SendCodeDialogRequest {
    static QString Name() { return QStringLiteral("sendcode"); }
    SetSendCodeDelegate* delegate = nullptr;
};

class DeviceInfoManageDelegate;
struct VideoChannel;

// The device information dialog on the device list of a scrolling video preview; the
// dialog changes the list in place and returns 0.
struct DeviceInfoDialogRequest {
    static QString Name() { return QStringLiteral("deviceinfo"); }
    DeviceInfoManageDelegate* owner = nullptr;
};

// The RTSP dialog on one channel of a video combo box: on OK (1) the channel holds the
// entered name and addresses, trimmed and checked.
struct RtspInfoDialogRequest {
    static QString Name() { return QStringLiteral("rtspinfo"); }
    VideoChannel* channel = nullptr;
};
