#include "CMyToolBar.h"

#include "base/Translation.h"

#include <QAction>

CMyToolBar::CMyToolBar(const QString& objectName, const QString& caption, const QString& captionKey,
                       QWidget* parent)
    : QToolBar(parent)
    , caption(caption)
    , captionKey(captionKey)
{
    setObjectName(objectName);
    setIconSize(QSize(20, 20));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    Relabel();
}

void CMyToolBar::AddCommand(QAction* action, const QString& tipKey)
{
    action->setProperty("tipKey", tipKey);
    addAction(action);
}

void CMyToolBar::Relabel()
{
    setWindowTitle(captionKey.isEmpty() ? caption : Translate(captionKey, caption));
    for (QAction* a : actions()) {
        const QString key = a->property("tipKey").toString();
        if (!key.isEmpty())
            a->setToolTip(WithoutMnemonic(Translate(key)));
    }
}
