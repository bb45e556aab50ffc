#include "WidgetUi.h"

#include "MessageBoxDlg.h"
#include "base/DialogRegistry.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QWidget>

QWidget* WidgetUi::DialogParent() const
{
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return mainWindow;
}

int WidgetUi::ShowMessage(const QString& text, const QString& caption, int buttonSet, MessageIcon icon)
{
    return MessageBoxDlg::Show(DialogParent(), text, caption, buttonSet, icon);
}

QString WidgetUi::ConvertFilter(const QString& filter)
{
    QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        if (description.isEmpty())
            break; // the "||" that ends the list
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            patterns << pattern;
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
        }
        // Qt reads the patterns from the last parentheses of a filter.
        out << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return out.join(QStringLiteral(";;"));
}

QString WidgetUi::ChooseOpenFile(const QString& title, const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(DialogParent(), title, lastFolder, ConvertFilter(filter));
    if (!path.isEmpty())
        lastFolder = QFileInfo(path).absolutePath();
    return path;
}

QStringList WidgetUi::ChooseOpenFiles(const QString& title, const QString& filter)
{
    const QStringList paths = QFileDialog::getOpenFileNames(DialogParent(), title, lastFolder, ConvertFilter(filter));
    if (!paths.isEmpty())
        lastFolder = QFileInfo(paths.front()).absolutePath();
    return paths;
}

QString WidgetUi::ChooseSaveFile(const QString& title, const QString& proposedName, const QString& filter)
{
    QString start = proposedName;
    if (!lastFolder.isEmpty())
        start = lastFolder + u'/' + proposedName;
    const QString path = QFileDialog::getSaveFileName(DialogParent(), title, start, ConvertFilter(filter));
    if (!path.isEmpty())
        lastFolder = QFileInfo(path).absolutePath();
    return path;
}

bool WidgetUi::ChooseColor(COLORREF initial, COLORREF& chosen)
{
    const QColor c = QColorDialog::getColor(ToQColor(initial), DialogParent());
    if (!c.isValid())
        return false;
    chosen = MakeRgb(c.red(), c.green(), c.blue());
    return true;
}

bool WidgetUi::ChooseFont(const FontDesc& initial, FontDesc& chosen)
{
    QFont font(initial.name);
    font.setPointSize(initial.size > 0 ? initial.size : 12);
    font.setBold(initial.style & 1);
    font.setItalic(initial.style & 2);
    bool ok = false;
    const QFont result = QFontDialog::getFont(&ok, font, DialogParent());
    if (!ok)
        return false;
    chosen.name = result.family();
    chosen.size = result.pointSize() > 0 ? result.pointSize() : initial.size;
    chosen.style = (result.bold() ? 1 : 0) | (result.italic() ? 2 : 0);
    return true;
}

int WidgetUi::RunDialog(const QString& name, void* data)
{
    const DialogRunner runner = DialogRegistry::Find(name);
    return runner ? runner(data) : 0;
}
