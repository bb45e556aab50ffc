#include "UiSeam.h"

#include "Translation.h"

#include <cstdio>

QStringList UiSeam::ChooseOpenFiles(const QString& title, const QString& filter)
{
    const QString one = ChooseOpenFile(title, filter);
    return one.isEmpty() ? QStringList() : QStringList{one};
}

int ConsoleUi::ShowMessage(const QString& text, const QString& caption, int buttonSet,
                           MessageIcon)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    switch (buttonSet) {
    case kButtonsCancelOk:
    case kButtonsCancelNoYes:
        return kIdCancel;
    case kButtonsNoYes:
    case kButtonsNoYesDefaultNo:
        return kIdNo;
    default:
        return kIdOk;
    }
}

namespace {
UiSeam* installed = nullptr;
}

UiSeam& Ui()
{
    static ConsoleUi console;
    return installed ? *installed : console;
}

void SetUi(UiSeam* ui)
{
    installed = ui;
}

int ShowMessage(const QString& textKey, const QString& captionKey, int buttonSet)
{
    return Ui().ShowMessage(Translate(textKey), Translate(captionKey), buttonSet, MessageIcon::None);
}

int ShowMessageText(const QString& text, const QString& captionKey, int buttonSet)
{
    return Ui().ShowMessage(text, Translate(captionKey), buttonSet, MessageIcon::None);
}

int ShowPlainMessage(const QString& text, const QString& caption, MessageIcon icon)
{
    return Ui().ShowMessage(text, caption, kButtonsOk, icon);
}
