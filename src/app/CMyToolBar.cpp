#include "CMyToolBar.h"

#include "base/Translation.h"

#include <QAction>
#include <QRegularExpression>

namespace {
// A menu text used as a tool tip loses its keyboard mnemonic: "保存工程(&S)" → "保存工程".
QString StripMnemonic(QString text)
{
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^)]\\)"));
    text.remove(bracketed);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}
}

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
            a->setToolTip(StripMnemonic(Translate(key)));
    }
}
