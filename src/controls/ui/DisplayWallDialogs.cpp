#include "DisplayWallDialogs.h"

#include "CDisplayWallScreenInfoSetDlg.h"
#include "CIPDlg.h"
#include "CIPGroupSetDlg.h"
#include "base/UiSeam.h"
#include "controls/DisplayWallDialogRequests.h"
#include "model/BrushDialogRequests.h"

void RegisterDisplayWallDialogs(const std::function<void(const QString&, DialogRunner)>& add,
                                const std::function<QWidget*()>& owner)
{
    add(AddressDialogRequest::Name(), [owner](void* data) {
        auto* request = static_cast<AddressDialogRequest*>(data);
        if (!request)
            return 0;
        CIPDlg dialog(request->title, request->address, owner());
        if (dialog.exec() != QDialog::Accepted)
            return static_cast<int>(kIdCancel);
        request->address = dialog.Address();
        return static_cast<int>(kIdOk);
    });
    add(DisplayWallScreenDialogRequest::Name(), [owner](void* data) {
        auto* request = static_cast<DisplayWallScreenDialogRequest*>(data);
        if (!request)
            return 0;
        CDisplayWallScreenInfoSetDlg dialog(*request, owner());
        return dialog.exec() == QDialog::Accepted ? static_cast<int>(kIdOk) : static_cast<int>(kIdCancel);
    });
    add(IPGroupDialogRequest::Name(), [owner](void* data) {
        auto* request = static_cast<IPGroupDialogRequest*>(data);
        if (!request || !request->ipGroup)
            return 0;
        CIPGroupSetDlg dialog(request->ipGroup, owner());
        dialog.exec();
        return static_cast<int>(kIdOk);
    });
}
