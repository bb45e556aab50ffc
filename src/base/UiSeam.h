#pragma once

#include "Colorref.h"
#include "FontDesc.h"

#include <QString>
#include <QStringList>

// The one way the model, the controls and the editor logic reach the user. The
// application installs a widget implementation; tests install a scripted fake; without
// either, a console implementation reports to stderr and answers every question with
// the choice that changes nothing.
enum class MessageIcon { None, Information, Warning, Error };

// Button sets of the message box and the codes it returns.
// kButtonsNoYesDefaultNo asks the same as kButtonsNoYes with No on Enter: for questions
// whose Yes destroys something.
enum MessageButtons {
    kButtonsOk = 0, kButtonsCancelOk = 1, kButtonsCancelNoYes = 3, kButtonsNoYes = 4, kButtonsNoYesDefaultNo = 5
};
enum MessageResult { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class UiSeam {
public:
    virtual ~UiSeam() = default;

    virtual int ShowMessage(const QString& text, const QString& caption, int buttonSet,
                            MessageIcon icon) = 0;
    // Filters use the "description|pattern;pattern||" form of the design; an empty
    // result means the user cancelled.
    virtual QString ChooseOpenFile(const QString& title, const QString& filter) = 0;
    virtual QString ChooseSaveFile(const QString& title, const QString& proposedName,
                                   const QString& filter) = 0;
    // Several files at once; empty when the user cancelled. Implementations without a
    // chooser of their own offer one file.
    virtual QStringList ChooseOpenFiles(const QString& title, const QString& filter);
    virtual bool ChooseColor(COLORREF initial, COLORREF& chosen) = 0;
    virtual bool ChooseFont(const FontDesc& initial, FontDesc& chosen) = 0;
    // Runs a dialog that lives in a ui/ folder by name; data is the dialog's own record.
    // Returns the dialog's result code (1 for OK), 0 when no such dialog is known.
    virtual int RunDialog(const QString& name, void* data) = 0;
};

// The console implementation, also the fallback for command-line tools.
class ConsoleUi : public UiSeam {
public:
    int ShowMessage(const QString& text, const QString& caption, int buttonSet,
                    MessageIcon icon) override;
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    bool ChooseColor(COLORREF, COLORREF&) override { return false; }
    bool ChooseFont(const FontDesc&, FontDesc&) override { return false; }
    int RunDialog(const QString&, void*) override { return 0; }
};

UiSeam& Ui();
// Installs an implementation (not owned); nullptr goes back to the console one.
void SetUi(UiSeam* ui);

// The translated message box: text and caption by translation key.
int ShowMessage(const QString& textKey, const QString& captionKey, int buttonSet = kButtonsOk);
// The second form: a ready text with a caption key.
int ShowMessageText(const QString& text, const QString& captionKey, int buttonSet = kButtonsOk);
// A literal message with a literal caption and an icon (the project model's folder and
// image errors).
int ShowPlainMessage(const QString& text, const QString& caption, MessageIcon icon);
