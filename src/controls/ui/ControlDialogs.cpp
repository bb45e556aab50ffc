#include "ControlDialogs.h"

#include "CInterlockDialog.h"
#include "CSetSendCodeDlg.h"
#include "DisplayWallDialogs.h"
#include "controls/ControlDialogRequests.h"

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
    RegisterDisplayWallDialogs(add, owner);
}
