#include "ScriptedUi.h"

int ScriptedUi::ShowMessage(const QString& text, const QString& caption, int buttonSet, MessageIcon icon)
{
    messages.append({text, caption, buttonSet, icon});
    if (answers.empty())
        return kIdOk;
    const int a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedUi::ChooseOpenFile(const QString& title, const QString&)
{
    fileTitles.append(title);
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QStringList ScriptedUi::ChooseOpenFiles(const QString&, const QString&)
{
    if (fileLists.empty())
        return {};
    QStringList chosen = fileLists.front();
    fileLists.pop_front();
    return chosen;
}

QString ScriptedUi::ChooseSaveFile(const QString& title, const QString&, const QString& filter)
{
    return ChooseOpenFile(title, filter);
}

bool ScriptedUi::ChooseColor(COLORREF, COLORREF& chosen)
{
    if (colors.empty())
        return false;
    chosen = colors.front();
    colors.pop_front();
    return true;
}

bool ScriptedUi::ChooseFont(const FontDesc&, FontDesc& chosen)
{
    if (fonts.empty())
        return false;
    chosen = fonts.front();
    fonts.pop_front();
    return true;
}

int ScriptedUi::RunDialog(const QString& name, void* data)
{
    dialogsRun << name;
    const auto it = dialogs.find(name);
    return it == dialogs.end() ? 0 : (*it)(data);
}

QStringList ScriptedUi::Texts() const
{
    QStringList t;
    for (const Message& m : messages)
        t << m.text;
    return t;
}
