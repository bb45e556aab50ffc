#pragma once

#include <QDialog>
#include <QStringList>

class CMyListCtrl;
class QPushButton;

// The further addresses of one display-wall screen: adds, edits and deletes entries of
// the list it is given, in place. Addresses are asked for with the address dialog
// through the UI seam.
class CIPGroupSetDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr quint32 kFirstAddress = 0xC0A80164; // 192.168.1.100

    explicit CIPGroupSetDlg(QStringList* group, QWidget* parent = nullptr);

    CMyListCtrl* List() const { return list; }
    QPushButton* AddButton() const { return addButton; }
    QPushButton* EditButton() const { return editButton; }
    QPushButton* DeleteButton() const { return deleteButton; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnAdd();
    void OnEdit();
    void OnDelete();
    // The selected row, or -1 after showing textKey.
    int SelectedRow(const QString& textKey) const;
    // Asks for an address starting at start; empty when cancelled.
    QString AskAddress(quint32 start) const;

    QStringList* group;
    CMyListCtrl* list;
    QPushButton* addButton;
    QPushButton* editButton;
    QPushButton* deleteButton;
};
