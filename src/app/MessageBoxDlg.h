#pragma once

#include "base/UiSeam.h"

#include <QDialog>
#include <QList>

class QPushButton;

// The editor's message box: a caption, a text and the buttons of one of the four button
// sets, created at run time in the set's order with ids 36001, 36002, ... Enter and
// Escape give the set's answers; the result is 1 OK, 2 Cancel, 6 Yes or 7 No.
class MessageBoxDlg : public QDialog {
    Q_OBJECT
public:
    MessageBoxDlg(const QString& text, const QString& caption, int buttonSet,
                  MessageIcon icon = MessageIcon::None, QWidget* parent = nullptr);

    int Run();
    // The buttons in creation order, and the result each gives.
    const QList<QPushButton*>& Buttons() const { return buttons; }
    int EnterResult() const { return enterResult; }
    int EscapeResult() const { return escapeResult; }

    static int Show(QWidget* parent, const QString& text, const QString& caption, int buttonSet,
                    MessageIcon icon);

    void reject() override;

private:
    void AddButton(int id, const QString& label, int result);

    QList<QPushButton*> buttons;
    int enterResult = kIdOk;
    int escapeResult = kIdOk;
};
