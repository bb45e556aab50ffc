#pragma once

#include <QToolBar>

// One of the main frame's tool bars: its caption and its buttons' tool tips come from
// translation keys, so the bar relabels itself when the language changes.
class CMyToolBar : public QToolBar {
    Q_OBJECT
public:
    // captionKey may be empty: the bar then keeps its resource caption.
    CMyToolBar(const QString& objectName, const QString& caption, const QString& captionKey,
               QWidget* parent = nullptr);

    void AddCommand(QAction* action, const QString& tipKey);
    void Relabel();

private:
    QString caption;
    QString captionKey;
};
