#include "ControlDialogs.h"

#include "CInterlockDialog.h"
#include "CRTSPInfoDlg.h"
#include "CSetRTSPInfoDlg.h"
#include "CSetSendCodeDlg.h"
#include "DisplayWallDialogs.h"
#include "controls/ControlDialogRequests.h"
#include "controls/VideoChannel.h"
#include "devicelink/ui/CDeviceInfoManageDlg.h"
#include "model/BrushDialogRequests.h"

namespace {
const QString kStreamDialog = QStringLiteral("stream");
}

void RegisterControlDialogs(const std::function<void(const QString&, DialogRunner)>& add,
                            const std::function<QWidget*()>& parent)
{
    auto owner = [parent]() -> QWidget* { return parent ? parent() : nullptr; };
    add(InterlockDialogRequest::Name(), [owner](void* data) {
        auto* request = static_cast<InterlockDialogRequest*>(data);
        if (!request || !request->page)
            return 0;
        CInterlockDialog dialog(request->page, request->delegate, owner());
        return dialog.exec() == QDialog::Accepted ? 1 : 0;
    });
    add(SendCodeDialogRequest::Name(), [owner](void* data) {
        auto* request = static_cast<SendCodeDialogRequest*>(data);
        if (!request || !request->delegate)
            return 0;
        CSetSendCodeDlg dialog(request->delegate, owner());
        return dialog.exec() == QDialog::Accepted ? 1 : 0;
    });
    add(RtspInfoDialogRequest::Name(), [owner](void* data) {
        auto* request = static_cast<RtspInfoDialogRequest*>(data);
        if (!request || !request->channel)
            return 0;
        CRTSPInfoDlg dialog(*request->channel, owner());
        return dialog.exec() == QDialog::Accepted ? 1 : 0;
    });
    add(DeviceInfoDialogRequest::Name(), [owner](void* data) {
        auto* request = static_cast<DeviceInfoDialogRequest*>(data);
        if (!request || !request->owner)
            return 0;
        CDeviceInfoManageDlg dialog(request->owner, owner());
        dialog.exec();
        return 0; // the list has changed in place; there is nothing to hand back
    });
    add(kStreamDialog, [owner](void* data) {
        auto* request = static_cast<StreamDialogRequest*>(data);
        if (!request)
            return 0;
        CSetRTSPInfoDlg dialog(request->address, request->streamCount, owner());
        if (dialog.exec() != QDialog::Accepted)
            return 0;
        request->address = dialog.StartAddress();
        request->streamCount = dialog.Generation();
        return 1;
    });
    RegisterDisplayWallDialogs(add, owner);
}
