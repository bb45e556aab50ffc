#pragma once

#include <QStyledItemDelegate>

class CMFCMyPropertyGridCtrl;

// The in-place editors of the property grid's value column, by the row's kind: a line
// edit for texts and integers (any whole number passes, so the element can name its
// range), a list for options and font families (typing allowed where the row allows
// it), a list of colours with the further-colours choice, and a button beside the
// editor for rows that have one. A committed value goes to the grid, never to the item.
class PropertyEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit PropertyEditorDelegate(CMFCMyPropertyGridCtrl* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // Tab, Enter and Escape reach the inner line edit or list first; they are handled as
    // if they had reached the editor itself.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CMFCMyPropertyGridCtrl* grid;
};
