#include "ModelDialogs.h"

#include "CNameDlg.h"
#include "CNewProjectDlg.h"
#include "CProjectSizeDlg.h"
#include "base/DialogRegistry.h"
#include "model/ProjectDialogRequests.h"

#include <QApplication>

namespace {

int RunNewProjectDialog(void* data)
{
    auto* request = static_cast<NewProjectDialogRequest*>(data);
    if (!request)
        return 0;
    CNewProjectDlg dlg(QApplication::activeWindow());
    if (dlg.exec() != QDialog::Accepted)
        return 2;
    request->screen = dlg.GetScreenType();
    request->folder = dlg.GetFolder();
    return 1;
}

int RunProjectSizeDialog(void* data)
{
    auto* request = static_cast<ProjectSizeDialogRequest*>(data);
    if (!request)
        return 0;
    CProjectSizeDlg dlg(request->width, request->height, request->delegate, QApplication::activeWindow());
    if (dlg.exec() != QDialog::Accepted)
        return 2;
    request->width = dlg.GetWidth();
    request->height = dlg.GetHeight();
    return 1;
}

} // namespace

void RegisterModelDialogs()
{
    DialogRegistry::Register(QStringLiteral("name"), &RunNameDialog);
    DialogRegistry::Register(QStringLiteral("newproject"), &RunNewProjectDialog);
    DialogRegistry::Register(QStringLiteral("projectsize"), &RunProjectSizeDialog);
}
