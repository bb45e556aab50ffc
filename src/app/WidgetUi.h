#pragma once

#include "base/UiSeam.h"

#include <QPointer>
#include <QString>

#include <QWidget>

// The UI seam with widgets: the editor's message box, the file, colour and font
// dialogs, and the dialogs registered by name.
class WidgetUi : public UiSeam {
public:
    // Dialogs are parented to the active window, else to this one (the main frame).
    void SetMainWindow(QWidget* window) { mainWindow = window; }

    int ShowMessage(const QString& text, const QString& caption, int buttonSet,
                    MessageIcon icon) override;
    QString ChooseOpenFile(const QString& title, const QString& filter) override;
    QStringList ChooseOpenFiles(const QString& title, const QString& filter) override;
    QString ChooseSaveFile(const QString& title, const QString& proposedName,
                           const QString& filter) override;
    bool ChooseColor(COLORREF initial, COLORREF& chosen) override;
    bool ChooseFont(const FontDesc& initial, FontDesc& chosen) override;
    int RunDialog(const QString& name, void* data) override;

    // "desc|*.a;*.b|desc2|*.c||" as Qt name filters: "desc (*.a *.A *.b *.B);;desc2 (*.c *.C)".
    // Upper-case forms are added because the file system here tells case apart.
    static QString ConvertFilter(const QString& filter);

private:
    QWidget* DialogParent() const;

    QPointer<QWidget> mainWindow;
    QString lastFolder;
};
