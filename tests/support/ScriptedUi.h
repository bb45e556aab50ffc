#pragma once

#include "base/UiSeam.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <deque>
#include <functional>

// A user-interface fake for tests: records every message and answers every question
// from queues the test fills beforehand. Installed for its lifetime.
class ScriptedUi : public UiSeam {
public:
    struct Message {
        QString text;
        QString caption;
        int buttonSet;
        MessageIcon icon;
    };

    ScriptedUi() { SetUi(this); }
    ~ScriptedUi() override { SetUi(nullptr); }

    int ShowMessage(const QString& text, const QString& caption, int buttonSet, MessageIcon icon) override;
    QString ChooseOpenFile(const QString& title, const QString& filter) override;
    QStringList ChooseOpenFiles(const QString& title, const QString& filter) override;
    QString ChooseSaveFile(const QString& title, const QString& proposedName, const QString& filter) override;
    bool ChooseColor(COLORREF initial, COLORREF& chosen) override;
    bool ChooseFont(const FontDesc& initial, FontDesc& chosen) override;
    int RunDialog(const QString& name, void* data) override;

    QList<Message> messages;
    std::deque<int> answers;          // message box results, in order; kIdOk when empty
    std::deque<QString> files;        // file dialog results; empty string = cancel
    QStringList fileTitles;           // titles of the file dialogs asked for, in order
    std::deque<QStringList> fileLists; // multi-file dialog results; cancel when empty
    std::deque<COLORREF> colors;      // colour dialog results; cancel when empty
    std::deque<FontDesc> fonts;       // font dialog results; cancel when empty
    QMap<QString, std::function<int(void*)>> dialogs;
    QStringList dialogsRun;

    QStringList Texts() const;
};
