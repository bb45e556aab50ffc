#include "CChildFrame.h"

#include "ChildFrameMainDelegate.h"
#include "Commands.h"
#include "base/Translation.h"
#include "editor/ui/CMarvolentaView.h"
#include "model/XPage.h"

#include <QCloseEvent>
#include <QMenu>

CChildFrame::CChildFrame(ChildFrameMainDelegate* delegate, XPage* page, QWidget* parent)
    : QMdiSubWindow(parent)
    , delegate(delegate)
    , document(page)
    , captionMenu(new QMenu(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // No maximize box: a page window is exactly as large as its zoomed page.
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(document.GetTitle());
    setOption(QMdiSubWindow::RubberBandResize, false);

    QAction* closeThis = captionMenu->addAction(QString());
    closeThis->setData(Cmd::ClosePageWindow);
    QAction* closeAll = captionMenu->addAction(QString());
    closeAll->setData(Cmd::CloseAllPageWindows);
    connect(closeThis, &QAction::triggered, this, &QMdiSubWindow::close);
    connect(closeAll, &QAction::triggered, this, [this] {
        if (this->delegate)
            this->delegate->CloseAllPages();
    });
    connect(captionMenu, &QMenu::aboutToShow, this, &CChildFrame::RelabelCaptionMenu);
    RelabelCaptionMenu();
    // The caption's context menu (right click on the title bar or the window icon).
    setSystemMenu(captionMenu);
    move(-100, -100);
}

void CChildFrame::SetView(CMarvolentaView* v)
{
    view = v;
    setWidget(v);
    connect(v, &CMarvolentaView::pageTitleChanged, this, [this](const QString& title) {
        document.SetTitle(title);
        setWindowTitle(title);
    });
}

void CChildFrame::RelabelCaptionMenu()
{
    const QList<QAction*> items = captionMenu->actions();
    if (items.size() == 2) {
        items[0]->setText(Translate("223"));
        items[1]->setText(Translate("224"));
    }
}

void CChildFrame::OnActivated()
{
    if (delegate)
        delegate->ActivatePage(GetPage(), false);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    Q_EMIT closing(this);
    QMdiSubWindow::closeEvent(event);
}
