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
