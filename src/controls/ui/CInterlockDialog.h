#pragma once

#include <QDialog>

class InterlockDlgMainDelegate;
class QPushButton;
class QTableWidget;
class XPage;

// Manages the interlock groups of one page: add, rename and delete groups, and arm the
// design view to assign a group to the buttons clicked next. Names are asked for with the
// name dialog through the UI seam.
class CInterlockDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kInterlockMode = 106;

    CInterlockDialog(XPage* page, InterlockDlgMainDelegate* delegate, QWidget* parent = nullptr);

    QTableWidget* GroupList() const { return list; }
    QPushButton* AddButton() const { return addButton; }
    QPushButton* EditButton() const { return editButton; }
    QPushButton* DeleteButton() const { return deleteButton; }
    QPushButton* SetButton() const { return setButton; }

private:
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnSetInterlock();
    void Fill();
    // The selected group's name, or empty (after showing textKey) when no row is selected.
    QString SelectedGroup(const QString& textKey) const;
    // Asks for a name; empty when cancelled.
    QString AskName(const QString& captionKey, const QString& proposal) const;

    XPage* page;
    InterlockDlgMainDelegate* delegate;
    QTableWidget* list;
    QPushButton* addButton;
    QPushButton* editButton;
    QPushButton* deleteButton;
    QPushButton* setButton;
};
