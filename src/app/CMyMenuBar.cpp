#include "CMyMenuBar.h"

#include "MenuBarDelegate.h"

CMyMenuBar::CMyMenuBar(MenuBarDelegate* delegate, QWidget* parent)
    : QMenuBar(parent)
    , delegate(delegate)
{
    setObjectName(QStringLiteral("MenuBar"));
}

void CMyMenuBar::Built()
{
    if (delegate)
        delegate->RelabelMenuBar(*this);
}
